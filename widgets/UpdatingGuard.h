#pragma once

// Keeps a window's Updating flag set for exactly one handler, whatever that
// handler meets on its way (a NaN, an infinity, an exception): the window's
// own writes into its fields then start no second recomputation, and the
// next keystroke is never ignored.
class UpdatingGuard
{
public:
    explicit UpdatingGuard(bool& flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~UpdatingGuard() { flag_ = false; }
    UpdatingGuard(const UpdatingGuard&) = delete;
    UpdatingGuard& operator=(const UpdatingGuard&) = delete;

private:
    bool& flag_;
};

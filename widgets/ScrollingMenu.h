#pragma once

class QMenu;

// Lets a menu longer than the screen scroll, with arrows at its ends, in the
// application's style, instead of spreading into columns that run off the
// screen (the language menu lists whatever the language folder holds).
void LetMenuScroll(QMenu* menu);

#pragma once

// A math error of the evaluator ("log: SING error") concerns the text in a
// field, which is often only on its way: "ln 0" on the way to "ln 0.5". So
// the report waits until the typing pauses and is shown only if the text
// that stands then still raises it; and it comes in a box that does not
// take the keyboard, so that a key pressed just then still lands in the
// field. The next change of a field's text closes the box.
//
//   evaluator → Raise (kept, the pause starts again) → pause over → box
//   a field's text changes → TextChanged (what was kept, and the box, go)

#include <QString>

namespace MathErrorReport {

// How long the typing rests before a report is shown.
inline constexpr int PauseMilliseconds = 1000;

// Makes this the evaluator's math-error handler; the box is titled with the
// program's file name. The pause may be shortened (tests).
void Install(int pauseMilliseconds = PauseMilliseconds);

// Keeps the report "<function>: <kind> error" for the end of the pause.
void Raise(const QString& function, const QString& kind);

// A field's text changed: what was kept concerns a text that is gone.
void TextChanged();

} // namespace MathErrorReport

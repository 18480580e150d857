// Text boxes that take numbers. A box whose text holds no number is never read as 0: the action
// that needed it is refused with a message naming the field, and the box is marked until its
// text holds a number again.
#pragma once

#include <QString>

#include <optional>

class QLineEdit;

namespace zarnfoil::ui {

enum class NumberRule {
    Leading, // the number at the start of the text ("0.002 mm" is 0.002)
    Whole,   // the whole text, blanks aside, must be one number
};

// Gives `box` its rule; a marked box loses its mark as soon as its text holds a number again.
void MakeNumberBox(QLineEdit* box, NumberRule rule = NumberRule::Leading);

// The box's number by its rule, or nothing: then the box is marked.
std::optional<double> ReadNumberBox(QLineEdit* box);

bool IsMarked(const QLineEdit* box);

// One line of the message of an action refused for the box captioned `field`.
QString NotANumber(const QString& field, const QLineEdit* box);

} // namespace zarnfoil::ui

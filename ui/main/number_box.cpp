// Reading and marking number boxes.
#include "ui/main/number_box.h"

#include "core/number_field.h"

#include <QLineEdit>

namespace zarnfoil::ui {
namespace {

const char* const kRuleProperty = "zarnfoilNumberRule";
const char* const kMarkedProperty = "zarnfoilMarked";
const char* const kMarkedStyle = "QLineEdit { background: #ffd0d0; }";

std::optional<double> NumberOf(const QLineEdit* box) {
    const std::string text = box->text().toStdString();
    return box->property(kRuleProperty).toInt() == static_cast<int>(NumberRule::Whole)
               ? ReadWholeNumber(text)
               : ReadLeadingNumber(text);
}

void Mark(QLineEdit* box, bool marked) {
    if (IsMarked(box) == marked) return;
    box->setProperty(kMarkedProperty, marked);
    box->setStyleSheet(marked ? kMarkedStyle : "");
    box->setToolTip(marked ? "This box holds no number." : "");
}

} // namespace

void MakeNumberBox(QLineEdit* box, NumberRule rule) {
    box->setProperty(kRuleProperty, static_cast<int>(rule));
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (IsMarked(box) && NumberOf(box)) Mark(box, false);
    });
}

std::optional<double> ReadNumberBox(QLineEdit* box) {
    const std::optional<double> number = NumberOf(box);
    Mark(box, !number);
    return number;
}

bool IsMarked(const QLineEdit* box) {
    return box->property(kMarkedProperty).toBool();
}

QString NotANumber(const QString& field, const QLineEdit* box) {
    return QString("\"%1\" holds \"%2\", which is not a number.\n")
        .arg(field.trimmed(), box->text());
}

} // namespace zarnfoil::ui

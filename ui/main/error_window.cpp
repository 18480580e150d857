// The error window.
#include "ui/main/error_window.h"

#include "ui/plots/plot_layout.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zarnfoil::ui {

Frm_err::Frm_err(QWidget* parent)
    : QWidget(parent, Qt::Window), Lbl_nsw(new QLabel(this)),
      Cmd_cancel(new QPushButton("Cancel", this)) {
    setObjectName("Frm_err");
    setWindowTitle("Error");
    Lbl_nsw->setObjectName("Lbl_nsw");
    Lbl_nsw->setWordWrap(true);
    Lbl_nsw->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Cmd_cancel->setObjectName("Cmd_cancel");
    connect(Cmd_cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lbl_nsw, 1);
    layout->addWidget(Cmd_cancel, 0, Qt::AlignLeft);
    resize(TwipsToPixels(3720), TwipsToPixels(1545));
}

void Frm_err::ShowMessage(const QString& message) {
    Lbl_nsw->setText(message);
    show();
    raise();
    activateWindow();
}

} // namespace zarnfoil::ui

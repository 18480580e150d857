// Frm_err, "Error": the window for a file without a layout keyword. It shows the message, and
// its one button "Cancel" closes it; the program goes on with the section it held.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace zarnfoil::ui {

class Frm_err : public QWidget {
    Q_OBJECT
  public:
    explicit Frm_err(QWidget* parent = nullptr);

    // Puts the message into Lbl_nsw and shows the window, not modal.
    void ShowMessage(const QString& message);

  private:
    QLabel* Lbl_nsw;
    QPushButton* Cmd_cancel;
};

} // namespace zarnfoil::ui

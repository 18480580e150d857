// Frm_err, "Error": the reader's window for a file without a layout keyword. It shows the
// message and offers only "Cancel", which ends the program.
#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace zarnfoil::ui {

class Frm_err : public QWidget {
    Q_OBJECT
  public:
    Frm_err(std::function<void()> cancel, QWidget* parent = nullptr);

    // Puts the message into Lbl_nsw and shows the window, not modal.
    void ShowMessage(const QString& message);

  private:
    QLabel* Lbl_nsw;
    QPushButton* Cmd_cancel;
};

} // namespace zarnfoil::ui

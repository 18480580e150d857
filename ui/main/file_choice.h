// The main window's choice of the input file: the drive list Drive1, the directory list Dir1,
// the file list File1 with its pattern list ComboFT, as views of the real file system.
#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QListView;
class QTreeView;
class QWidget;

namespace zarnfoil::ui {

class FileChoice : public QObject {
    Q_OBJECT
  public:
    // The controls are children of `parent`, which lays them out.
    FileChoice(const QString& startDirectory, QWidget* parent);

    QComboBox* Drive1() const { return drive1_; }
    QTreeView* Dir1() const { return dir1_; }
    QListView* File1() const { return file1_; }
    QComboBox* ComboFT() const { return comboFT_; }

    // The directory File1 shows, with the platform's separators.
    QString Directory() const;
    // Shows a directory in Dir1, and so in File1.
    void ShowDirectory(const QString& directory);

  signals:
    void directoryChanged(const QString& directory);
    void fileClicked(const QString& directory, const QString& fileName);

  private:
    void DriveChanged(int item);
    void DirectoryChosen(const QString& path);

    QFileSystemModel* dirModel_;
    QFileSystemModel* fileModel_;
    QComboBox* drive1_;
    QTreeView* dir1_;
    QListView* file1_;
    QComboBox* comboFT_;
    QString directory_; // with "/" separators, as Qt keeps paths
};

} // namespace zarnfoil::ui

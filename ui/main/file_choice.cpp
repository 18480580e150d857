// Drive, directory and file lists over Qt's file-system model.
#include "ui/main/file_choice.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QListView>
#include <QTreeView>

namespace zarnfoil::ui {
namespace {

// "*.*" is meant as on systems with drive letters, where it takes every file, names without
// a dot included.
const QStringList kPatterns[] = {{"*.dat"}, {"*"}};

// The drive (file-system root) holding a path: the longest root it starts with.
int DriveOf(const QFileInfoList& drives, const QString& path) {
    int best = 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString root = drives[i].absolutePath();
        if (path.startsWith(root, Qt::CaseInsensitive) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

} // namespace

FileChoice::FileChoice(const QString& startDirectory, QWidget* parent)
    : QObject(parent), dirModel_(new QFileSystemModel(this)),
      fileModel_(new QFileSystemModel(this)), drive1_(new QComboBox(parent)),
      dir1_(new QTreeView(parent)), file1_(new QListView(parent)), comboFT_(new QComboBox(parent)) {
    drive1_->setObjectName("Drive1");
    dir1_->setObjectName("Dir1");
    file1_->setObjectName("File1");
    comboFT_->setObjectName("ComboFT");

    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo& drive : drives)
        drive1_->addItem(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());

    dirModel_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    dirModel_->setRootPath(QString());
    dir1_->setModel(dirModel_);
    dir1_->setHeaderHidden(true);
    for (int column = 1; column < dirModel_->columnCount(); ++column)
        dir1_->hideColumn(column);

    fileModel_->setFilter(QDir::Files);
    fileModel_->setNameFilterDisables(false);
    fileModel_->setNameFilters(kPatterns[0]);
    file1_->setModel(fileModel_);

    connect(dir1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) DirectoryChosen(dirModel_->filePath(current));
            });
    connect(file1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) emit fileClicked(Directory(), fileModel_->fileName(current));
            });
    connect(drive1_, &QComboBox::activated, this, &FileChoice::DriveChanged);
    comboFT_->addItems({"Input Files (*.dat)", "All Files (*.*)"});
    connect(comboFT_, &QComboBox::currentIndexChanged, this,
            [this](int item) { fileModel_->setNameFilters(kPatterns[item == 0 ? 0 : 1]); });

    const QString start = QDir(startDirectory).absolutePath();
    drive1_->setCurrentIndex(DriveOf(drives, start));
    ShowDirectory(start);
}

QString FileChoice::Directory() const {
    return QDir::toNativeSeparators(directory_);
}

void FileChoice::ShowDirectory(const QString& directory) {
    const QModelIndex index = dirModel_->index(QDir(directory).absolutePath());
    dir1_->setCurrentIndex(index);
    dir1_->scrollTo(index);
}

void FileChoice::DriveChanged(int item) {
    const QString drive = drive1_->itemData(item).toString();
    // The chosen drive becomes the current one.
    if (!QDir::currentPath().startsWith(drive, Qt::CaseInsensitive)) QDir::setCurrent(drive);
    ShowDirectory(drive);
}

void FileChoice::DirectoryChosen(const QString& path) {
    directory_ = path;
    file1_->setRootIndex(fileModel_->setRootPath(path));
    emit directoryChanged(Directory());
}

} // namespace zarnfoil::ui

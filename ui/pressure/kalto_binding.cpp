// Finding, loading and calling the pressure solver library.
#include "ui/pressure/kalto_binding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zarnfoil::ui {

QString KaltoFileName() {
#if defined(Q_OS_WIN)
    return "kalto.dll";
#else
    return "libkalto.so";
#endif
}

QStringList KaltoSearchPaths(const QString& programDir, const QString& currentDir) {
    QStringList paths;
    for (const QString& folder : {programDir, currentDir}) {
        const QString path =
            QDir::cleanPath(QDir(folder).absoluteFilePath("dll/" + KaltoFileName()));
        if (!paths.contains(path)) paths << path;
    }
    return paths;
}

bool KaltoLibrary::Load() {
    if (entry_) return true;
    const QStringList paths = paths_.value_or(
        KaltoSearchPaths(QCoreApplication::applicationDirPath(), QDir::currentPath()));
    QStringList tried;
    for (const QString& path : paths) {
        const QString shown = QDir::toNativeSeparators(path);
        // Only an existing file is handed to the loader, which would otherwise try other
        // names and folders of its own.
        if (!QFileInfo(path).isFile()) {
            tried << shown + ": not found";
            continue;
        }
        library_.setFileName(path);
        if (!library_.load()) {
            tried << shown + ": " + library_.errorString();
            continue;
        }
        entry_ = reinterpret_cast<Entry>(library_.resolve("KALTO"));
        if (entry_) {
            failure_.clear();
            return true;
        }
        tried << shown + ": has no entry KALTO";
        library_.unload();
    }
    failure_ = "The pressure solver library " + KaltoFileName() +
               " could not be loaded. Paths tried:\n" + tried.join('\n');
    return false;
}

void KaltoLibrary::Call(KaltoArguments& a) const {
    entry_(&a.NCASE, &a.IMODE, &a.ARG3, a.MACHIN.data(), a.CLAIN.data(), &a.ARG6, &a.ARG7, &a.ARG8,
           &a.NPT, &a.ARG10, a.XC.data(), a.YC.data(), &a.ARG13, a.XCP.data(), a.ARG15.data(),
           a.CPS.data(), a.ARG17.data(), &a.ALPHAOUT, &a.CLOUT, &a.ARG20, &a.ARG21,
           a.CASEOUT.data(), a.ISTAT.data());
}

} // namespace zarnfoil::ui

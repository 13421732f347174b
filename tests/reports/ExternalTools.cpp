#include "ExternalTools.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <stdexcept>

namespace kalvero::test {

namespace {

QString tool(const char *configured, const char *name, const char *package) {
    QString path = QString::fromLocal8Bit(configured);
    if (path.isEmpty() || path.endsWith(QLatin1String("NOTFOUND")) || !QFileInfo(path).isExecutable())
        path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty()) {
        qCritical("%s not found: install the Debian package %s", name, package);
        throw std::runtime_error(std::string(name) + " not found: install the Debian package " + package);
    }
    return path;
}

QByteArray run(const QString &program, const QStringList &args, bool allowNoResult = false) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        throw std::runtime_error(program.toStdString() + " did not finish");
    // zbarimg ends with 4 when it found no symbol.
    if (p.exitStatus() != QProcess::NormalExit || (p.exitCode() != 0 && !(allowNoResult && p.exitCode() == 4))) {
        qCritical("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        throw std::runtime_error((program + QLatin1String(" failed: ")).toStdString() + p.readAllStandardError().toStdString());
    }
    return p.readAllStandardOutput();
}

}  // namespace

QStringList decodeBarcodes(const QString &imagePath) {
    const QString zbar = tool(ZBARIMG_EXECUTABLE, "zbarimg", "zbar-tools");
    const QByteArray out = run(zbar, {QStringLiteral("-q"), imagePath}, true);
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList decodeBarcodes(const QImage &image) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("symbol.png"));
    if (!image.save(path))
        throw std::runtime_error("could not write the picture");
    return decodeBarcodes(path);
}

QString pdfText(const QString &pdfPath) {
    const QString pdftotext = tool(PDFTOTEXT_EXECUTABLE, "pdftotext", "poppler-utils");
    return QString::fromUtf8(run(pdftotext, {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")}));
}

QString pdfInfo(const QString &pdfPath) {
    const QString pdftotext = tool(PDFTOTEXT_EXECUTABLE, "pdftotext", "poppler-utils");
    const QString pdfinfo = QFileInfo(pdftotext).path() + QLatin1String("/pdfinfo");
    return QString::fromUtf8(run(pdfinfo, {pdfPath}));
}

QStringList pdfToPng(const QString &pdfPath, int dpi) {
    const QString pdftoppm = tool(PDFTOPPM_EXECUTABLE, "pdftoppm", "poppler-utils");
    const QString prefix = pdfPath + QLatin1String("-page");
    run(pdftoppm, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdfPath, prefix});
    const QFileInfo info(prefix);
    QStringList pages = QDir(info.path()).entryList({info.fileName() + QLatin1String("*.png")}, QDir::Files, QDir::Name);
    for (QString &p : pages)
        p = info.path() + QLatin1Char('/') + p;
    return pages;
}

}  // namespace kalvero::test

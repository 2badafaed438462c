#include "uikit/FileChooser.h"

#include "OpenFileChooser.h"
#include "Painting.h"
#include "Screen.h"
#include "foundation/DeviceText.h"
#include "uikit/Automation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QStringList>
#include <QTranslator>
#include <utility>

namespace uikit {
namespace {

struct OpenChooser {
    QPointer<QFileDialog> dialog;
    std::string title;
    std::vector<std::string> filters;
    FileChosen done;
};

std::optional<OpenChooser>& openChooser()
{
    static std::optional<OpenChooser> chooser;
    return chooser;
}

// Where the next chooser starts: the folder of the last file chosen, else the user's home (an
// application started from the home screen works in its bundle, where no user file is).
QString& startFolder()
{
    static QString folder = QDir::homePath();
    return folder;
}

// Gives the open chooser's answer, closing its dialog when it is not the dialog that ended. The
// chooser is forgotten before `done` runs, so that `done` may open the next one.
void finish(std::optional<std::filesystem::path> file, bool closeDialog = true)
{
    if (!openChooser())
        return;
    OpenChooser chooser = std::move(*openChooser());
    openChooser().reset();
    if (file)
        startFolder() = QFile::decodeName(file->parent_path().c_str());
    if (chooser.dialog) {
        if (closeDialog) {
            // Answered for the user: the dialog's own end is no second answer.
            QObject::disconnect(chooser.dialog, &QDialog::finished, nullptr, nullptr);
            chooser.dialog->reject();
        }
        chooser.dialog->deleteLater();
    }
    if (chooser.done)
        chooser.done(std::move(file));
    drainAutoreleased();
    Screen::shared().scheduleDisplay();
}

// The dialog's own words ("Open", "File name:") come from Qt's catalogue for the device's
// language (Debian's qt6-translations-l10n); without one they stay English.
void speakTheDevicesLanguage()
{
    static const bool installed = [] {
        auto* translator = new QTranslator(QCoreApplication::instance());
        const QLocale locale(QString::fromStdString(os::deviceLocale()));
        return translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
               QCoreApplication::installTranslator(translator);
    }();
    (void)installed;
}

} // namespace

void chooseFile(std::string title, std::vector<std::string> nameFilters, FileChosen done)
{
    ensureApplication();
    speakTheDevicesLanguage();
    finish(std::nullopt);
    QStringList filters;
    for (const auto& filter : nameFilters)
        filters << QString::fromStdString(filter);
    // Over the screen's window, so the desktop keeps the two together; modal to that window only.
    auto* dialog = new QFileDialog(Screen::shared().desktopWindow(), QString::fromStdString(title));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters(filters);
    dialog->setDirectory(startFolder());
    QObject::connect(dialog, &QDialog::finished, [dialog](int result) {
        std::optional<std::filesystem::path> file;
        const QStringList chosen = dialog->selectedFiles();
        if (result == QDialog::Accepted && !chosen.isEmpty())
            file = std::filesystem::path(QFile::encodeName(chosen.first()).toStdString());
        finish(std::move(file), false);
    });
    openChooser() = OpenChooser{dialog, std::move(title), std::move(nameFilters), std::move(done)};
    dialog->open();
}

bool isFileChooserOpen() { return openChooser().has_value(); }

bool answerFileChooser(std::optional<std::filesystem::path> file)
{
    if (!openChooser())
        return false;
    finish(std::move(file));
    return true;
}

std::optional<DumpRecord> openFileChooserRecord()
{
    if (!openChooser())
        return std::nullopt;
    std::string filters;
    for (const auto& filter : openChooser()->filters)
        filters += (filters.empty() ? "" : ";;") + filter;
    DumpRecord record;
    record.set("class", "FileChooser");
    record.set("text", openChooser()->title);
    record.set("filters", filters);
    return record;
}

} // namespace uikit

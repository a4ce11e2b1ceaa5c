#include "widgets/platform.h"

#include "core/conversions.h"
#include "widgets/dialog_parts.h"
#include "widgets/font_dialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QUrl>

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The width a box needs to show `title` whole in its title bar: the title in
// bold, as window managers draw it, and room for the window's icon and its
// buttons. (Qt leaves a message box's title 50 pixels of its own and an
// input box's nothing, so a window manager cut them short.)
int titleBarWidth(const QWidget &box, const QString &title)
{
    QFont font = box.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) + 8 * metrics.height();
}

} // namespace

// "Desc|pattern;pattern|Desc|pattern" to Qt's name filters, one per pair:
// "Desc (pattern pattern)". "*.*" means every file, as "*" does here.
QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (t.isEmpty())
                continue;
            patterns << (t == QLatin1String("*.*") || t == kProgramPattern ? QStringLiteral("*")
                                                                           : t);
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        result << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return result;
}

namespace {

// While a name filter made from kProgramPattern is selected, the file dialog
// lists folders and the files the user may run.
class ProgramFilter : public QSortFilterProxyModel {
public:
    ProgramFilter(QFileDialog &dialog, const QStringList &programFilters)
        : QSortFilterProxyModel(&dialog), dialog_(dialog), programFilters_(programFilters)
    {
        QObject::connect(&dialog, &QFileDialog::filterSelected, this,
                         [this] { invalidateFilter(); });
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        if (!programsShown())
            return true;
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    // Qt's dialog gives the selected filter without its patterns while it
    // hides them.
    bool programsShown() const
    {
        const QString selected = dialog_.selectedNameFilter();
        for (const QString &f : programFilters_)
            if (f == selected || f.startsWith(selected + QStringLiteral(" (")))
                return true;
        return false;
    }

    QFileDialog &dialog_;
    QStringList programFilters_;
};

std::optional<QString> runFileDialog(QWidget *parent, const FileDialogRequest &request, bool save)
{
    QFileDialog dialog(parent, request.title);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The descriptions are shown as they are written (they name their own
    // patterns); the patterns added for Qt stay out of sight.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !save);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    // The Qt filters are made one per description and pattern pair.
    const QStringList pairs = request.filter.split(QLatin1Char('|'));
    QStringList programFilters;
    for (qsizetype i = 1; i < pairs.size() && i / 2 < filters.size(); i += 2)
        if (pairs[i].split(QLatin1Char(';')).contains(kProgramPattern))
            programFilters << filters[i / 2];
    if (!programFilters.isEmpty()) {
        // Only Qt's own dialog can filter by something other than the name.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setProxyModel(new ProgramFilter(dialog, programFilters));
    }
    if (!request.fileName.isEmpty()) {
        const QFileInfo info(request.fileName);
        if (request.fileName.contains(QLatin1Char('/')) && info.absoluteDir().exists())
            dialog.setDirectory(info.absolutePath());
        if (!info.fileName().isEmpty())
            dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return files.first();
}

} // namespace

MsgResult QtPlatform::messageBox(QWidget *parent, const QString &text, const QString &title,
                                 MsgIcon icon, MsgButtons buttons)
{
    QMessageBox box(qtIcon(icon), title, QString(), QMessageBox::NoButton, parent);
    // File names and fragments of HTML are shown as they are written.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    QPushButton *first = nullptr;
    switch (buttons) {
    case MsgButtons::OK:
        first = box.addButton(QMessageBox::Ok);
        box.setEscapeButton(first);
        break;
    case MsgButtons::YesNo:
        first = box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        first = box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        break;
    }
    box.setDefaultButton(first); // the first button, as the system's boxes have it
    // The box sizes itself to its layout when it shows: a row as wide as
    // the title bar needs widens it.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titleBarWidth(box, title), 0, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return MsgResult::OK;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}

QString QtPlatform::inputBox(QWidget *parent, const QString &prompt, const QString &title,
                             const QString &defaultText)
{
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(defaultText);
    unlimitedTextBoxes(&dialog);
    // Wide enough for the title, and for an address of some length.
    if (auto *entry = dialog.findChild<QLineEdit *>()) {
        const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
        entry->setMinimumWidth(qMax(titleBarWidth(dialog, title) - margins.left() - margins.right(),
                                    40 * entry->fontMetrics().averageCharWidth()));
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

std::optional<QString> QtPlatform::openFile(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, false);
}

std::optional<QString> QtPlatform::saveFile(QWidget *parent, const FileDialogRequest &request)
{
    return runFileDialog(parent, request, true);
}

std::optional<ColourValue> QtPlatform::chooseColour(QWidget *parent, ColourValue current,
                                                    QList<ColourValue> &customColours)
{
    const int count = QColorDialog::customCount();
    for (int i = 0; i < count; ++i) {
        const QColor c = i < customColours.size() ? colourToQColor(customColours[i])
                                                  : QColor(Qt::white);
        QColorDialog::setCustomColor(i, c);
    }
    QColorDialog dialog(colourToQColor(current), parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    // The custom colours the user set are kept, chosen or not.
    customColours.clear();
    for (int i = 0; i < count; ++i)
        customColours << qcolorToColour(QColorDialog::customColor(i));
    if (!ok)
        return std::nullopt;
    return qcolorToColour(dialog.selectedColor());
}

std::optional<FontChoice> QtPlatform::chooseFont(QWidget *parent, const FontChoice &current)
{
    FontColourDialog dialog(parent);
    dialog.setChoice(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QString> QtPlatform::chooseFolder(QWidget *parent, const QString &prompt,
                                                const QString &startIn)
{
    const QString dir = QFileDialog::getExistingDirectory(
        parent, prompt, QFileInfo(startIn).isDir() ? startIn : QString());
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

bool QtPlatform::startProcess(const QString &program, const QStringList &arguments,
                              const QString &workingDir)
{
    // QProcess only warns when it cannot enter the folder and starts the
    // program elsewhere.
    if (program.isEmpty() || (!workingDir.isEmpty() && !QFileInfo(workingDir).isDir()))
        return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDir);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

bool QtPlatform::openUrl(const QString &url)
{
    const QFileInfo file(url);
    if (!url.contains(QLatin1Char(':')) && file.exists())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
    return QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

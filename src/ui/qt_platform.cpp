#include "qt_platform.h"

#include "about_model.h"
#include "alias_manager_model.h"
#include "alias_manager_view.h"
#include "chart_document.h"
#include "chart_farm.h"
#include "chart_rendering.h"
#include "chart_window_model.h"
#include "chart_window_view.h"
#include "config_model.h"
#include "config_view.h"
#include "dialogs.h"
#include "export_model.h"
#include "export_view.h"
#include "help_window.h"
#include "list_editor_model.h"
#include "list_editor_view.h"
#include "match_details_model.h"
#include "match_details_view.h"
#include "match_list_model.h"
#include "match_list_view.h"
#include "name_resolution_model.h"
#include "name_resolution_view.h"
#include "player_editor_model.h"
#include "player_editor_view.h"
#include "player_list_model.h"
#include "player_list_view.h"
#include "qt_text.h"
#include "report_window_model.h"
#include "report_window_view.h"
#include "special_events_model.h"
#include "special_events_view.h"
#include "statistics_view.h"
#include "statistics_window_model.h"
#include "scorecard_model.h"
#include "scorecard_view.h"
#include "tip_of_day_model.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QSettings>

namespace wickly::ui {

QString qtFilter(const std::string& filter)
{
    // "Wickly Database (*.wkd)|*.wkd|All Files (*.*)|*.*": the descriptions name their patterns.
    const QStringList parts = toQ(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // Qt separates the patterns of one filter with blanks, where the filter text has ";".
        QString pattern = parts[i + 1] == "*.*" ? QStringLiteral("*") : parts[i + 1];
        pattern.replace(';', ' ');
        out << parts[i].section('(', 0, 0).trimmed() + " (" + pattern + ")";
    }
    return out.join(";;");
}

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::dialogParent() const
{
    // Over the window the user is working in: the modal window showing now, else the main window.
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : m_parent;
}

Button QtPlatform::messageBox(const MessageBoxRequest& request)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(request.title.empty() ? QStringLiteral("Wickly") : toQ(request.title));
    box.setText(toQ(request.text));
    switch (request.icon) {
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    std::vector<std::pair<QMessageBox::StandardButton, Button>> buttons;
    switch (request.buttons) {
    case Buttons::Ok: buttons = {{QMessageBox::Ok, Button::Ok}}; break;
    case Buttons::OkCancel: buttons = {{QMessageBox::Ok, Button::Ok}, {QMessageBox::Cancel, Button::Cancel}}; break;
    case Buttons::YesNo: buttons = {{QMessageBox::Yes, Button::Yes}, {QMessageBox::No, Button::No}}; break;
    case Buttons::YesNoCancel:
        buttons = {{QMessageBox::Yes, Button::Yes}, {QMessageBox::No, Button::No}, {QMessageBox::Cancel, Button::Cancel}};
        break;
    }
    QMessageBox::StandardButtons set;
    for (const auto& b : buttons) {
        set |= b.first;
    }
    box.setStandardButtons(set);
    const std::size_t def = static_cast<std::size_t>(request.defaultButton);
    if (def < buttons.size()) {
        box.setDefaultButton(buttons[def].first);
    }
    // Escape answers Cancel where there is one, else the last button (No or OK).
    box.setEscapeButton(buttons.back().first);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& b : buttons) {
        if (b.first == answer) {
            return b.second;
        }
    }
    return buttons.back().second;
}

std::optional<std::string> QtPlatform::fileDialog(const FileDialogRequest& request, bool save)
{
    QFileDialog dialog(dialogParent(), toQ(request.title), QString(), qtFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(toQ(request.defaultExtension).mid(request.defaultExtension[0] == '.' ? 1 : 0));
    }
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    }
    // Paths are file-system names (UTF-8 here), not record texts.
    if (!request.initialName.empty()) {
        dialog.selectFile(QFile::decodeName(request.initialName.c_str()));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::string() : QFile::encodeName(files.front()).toStdString();
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogRequest& request)
{
    return fileDialog(request, false);
}

std::optional<std::string> QtPlatform::saveFileDialog(const FileDialogRequest& request)
{
    return fileDialog(request, true);
}

void QtPlatform::setBusy(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPlatform::showHelp(int context)
{
    if (m_help == nullptr) {
        m_help = new HelpWindow(m_parent);
    }
    m_help->showContext(context);
}

void QtPlatform::setClipboardText(std::string_view text)
{
    QApplication::clipboard()->setText(toQ(text));
}

std::string QtPlatform::readSetting(std::string_view section, std::string_view key, std::string_view fallback)
{
    QSettings settings;
    const QString name = QString::fromStdString(std::string(section) + "/" + std::string(key));
    return settings.value(name, QString::fromStdString(std::string(fallback))).toString().toStdString();
}

void QtPlatform::writeSetting(std::string_view section, std::string_view key, std::string_view value)
{
    QSettings settings;
    settings.setValue(QString::fromStdString(std::string(section) + "/" + std::string(key)),
                      QString::fromStdString(std::string(value)));
}

namespace {

// Runs `dialog` as a modal window until it finishes. This is not QDialog::exec(): hiding a dialog
// ends the loop of its exec(), and a window that stands in for its opener hides the opener while
// it is open. With a loop of its own, a hidden opener keeps waiting and comes back, with all it
// held, when the window shown in its place closes.
void runModal(QDialog& dialog)
{
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&dialog, &QDialog::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (!finished) {
        loop.exec(QEventLoop::DialogExec);
    }
    dialog.hide();
}

// Shows the view of `model` modally over `parent` when the model is a `Model`; true when it was.
template <class Model, class View> bool execIf(WindowModel& model, QWidget* parent)
{
    auto* m = dynamic_cast<Model*>(&model);
    if (m == nullptr) {
        return false;
    }
    View view(*m, parent);
    runModal(view);
    return true;
}

} // namespace

void QtPlatform::showModal(WindowModel& model)
{
    // Every window opens over the one in use: the modal window showing now, else the main window.
    showModalOver(model, dialogParent());
}

void QtPlatform::showModalOver(WindowModel& model, QWidget* over)
{
    const bool shown = execIf<TipOfDayModel, TipOfDayDialog>(model, over) ||
                       execIf<AboutModel, AboutDialog>(model, over) ||
                       execIf<stats::ReportWindowModel, ReportWindowView>(model, over) ||
                       execIf<stats::StatisticsWindowModel, StatisticsView>(model, over) ||
                       execIf<stats::ChartWindowModel, ChartWindowView>(model, over) ||
                       execIf<masterdata::ListEditorModel, ListEditorDialog>(model, over) ||
                       execIf<masterdata::NameDialogModel, NameDialog>(model, over) ||
                       execIf<masterdata::TeamDialogModel, TeamDialog>(model, over) ||
                       execIf<masterdata::PlayerListModel, PlayerListView>(model, over) ||
                       execIf<masterdata::PlayerEditorModel, PlayerEditorView>(model, over) ||
                       execIf<masterdata::SpecialEventsModel, SpecialEventsView>(model, over) ||
                       execIf<config::ConfigModel, ConfigDialog>(model, over) ||
                       execIf<matches::MatchListModel, MatchListView>(model, over) ||
                       execIf<matches::MatchDetailsModel, MatchDetailsView>(model, over) ||
                       execIf<matches::ScorecardModel, ScorecardView>(model, over) ||
                       execIf<exchange::ExportModel, ExportView>(model, over) ||
                       execIf<exchange::NameResolutionModel, NameResolutionView>(model, over) ||
                       execIf<masterdata::AliasManagerModel, AliasManagerView>(model, over);
    // The views of further windows are added to the list above as they are built.
    (void)shown;
}

void QtPlatform::showInPlaceOf(WindowModel& child, WindowModel& parent)
{
    // The parent is a registered window (the main window) or the modal window showing now.
    QWidget* parentView = nullptr;
    if (const auto it = m_views.find(&parent); it != m_views.end()) {
        parentView = it->second;
    } else {
        parentView = QApplication::activeModalWidget();
    }
    if (parentView == nullptr) {
        showModal(child);
        return;
    }
    // The child takes the parent's place on the screen; the parent waits, hidden, in its own loop.
    parentView->hide();
    showModalOver(child, parentView);
    parentView->show();
    parentView->raise();
    parentView->activateWindow();
}

std::optional<int> QtPlatform::choosePrinter()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    QPrintDialog dialog(m_printer.get(), m_parent);
    dialog.exec(); // printing goes to the printer selected, whichever button closed the dialog
    const double heightPoints = m_printer->pageLayout().paintRectPoints().height();
    if (heightPoints <= 0) {
        return std::nullopt;
    }
    return static_cast<int>(heightPoints * 20.0);
}

bool QtPlatform::printDocument(const PrintDocument& document, std::string& message)
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    m_printer->setDocName(toQ(document.title));
    QPainter painter;
    if (!painter.begin(m_printer.get())) {
        message = "The printer could not be started.";
        return false;
    }
    const double dotsPerTwip = m_printer->resolution() / 1440.0;
    const double left = document.leftMarginTwips * dotsPerTwip;
    const double top = document.topMarginTwips * dotsPerTwip;
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
        if (p > 0 && !m_printer->newPage()) {
            message = "The printer could not start a new page.";
            painter.end();
            return false;
        }
        double y = top;
        for (const PrintItem& item : document.pages[p].items) {
            QFont font(toQ(document.fontFamily));
            font.setStyleHint(QFont::TypeWriter);
            font.setPointSizeF(item.pointSize);
            font.setBold(item.bold);
            painter.setFont(font);
            const QFontMetricsF metrics(font, m_printer.get());
            if (item.moveToTwips >= 0) {
                y = item.moveToTwips * dotsPerTwip;
            }
            painter.drawText(QPointF(left, y + metrics.ascent()), toQ(item.text));
            y += metrics.lineSpacing();
        }
    }
    painter.end();
    return true;
}

void QtPlatform::previewChart(const ChartDocument& chart)
{
    // A printer of its own: the landscape page of a chart must not carry over to report printing.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Wickly Chart"));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, dialogParent());
    preview.setWindowTitle(QStringLiteral("Wickly Chart Preview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&chart](QPrinter* target) {
        QPainter painter(target);
        const QSize page = target->pageLayout().paintRectPixels(target->resolution()).size();
        paintChart(chart, painter, QRectF(QPointF(0, 0), page));
    });
    preview.exec();
}

bool QtPlatform::exportChartJpeg(const ChartDocument& chart, const std::string& path, int width, int height,
                                 int quality)
{
    if (m_chartRun) {
        return m_chartRun->save(chart, path, width, height, quality);
    }
    return saveChartJpeg(chart, QFile::decodeName(path.c_str()), width, height, quality);
}

void QtPlatform::beginChartRun()
{
    m_chartRun = std::make_unique<ChartFarm>(m_chartHelperProgram, chartHelpersForThisMachine());
}

std::vector<std::string> QtPlatform::endChartRun()
{
    std::vector<std::string> failed;
    if (m_chartRun) {
        failed = m_chartRun->finish();
        m_chartRun.reset();
    }
    return failed;
}

std::optional<std::uint32_t> QtPlatform::chooseColour(std::uint32_t initial)
{
    // Stored colours are 0x00BBGGRR.
    const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                       static_cast<int>((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, dialogParent());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8) |
           (static_cast<std::uint32_t>(chosen.blue()) << 16);
}

bool QtPlatform::startProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList args;
    for (const std::string& a : arguments) {
        args << QString::fromStdString(a);
    }
    return QProcess::startDetached(QString::fromStdString(program), args);
}

std::optional<int> QtPlatform::runProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList args;
    for (const std::string& a : arguments) {
        args << QString::fromStdString(a);
    }
    auto* process = new QProcess;
    process->start(QString::fromStdString(program), args);
    if (!process->waitForStarted(10000)) {
        delete process;
        return std::nullopt;
    }
    // xdg-email normally ends as soon as the mail program has the message. One that keeps running
    // (a mail program opening its compose window in the foreground) has got the message too: it is
    // left to run, and its QProcess is never deleted, since deleting it would kill the program.
    if (!process->waitForFinished(20000)) {
        return 0;
    }
    const bool normal = process->exitStatus() == QProcess::NormalExit;
    const int code = process->exitCode();
    delete process;
    if (!normal) {
        return std::nullopt;
    }
    return code;
}

} // namespace wickly::ui

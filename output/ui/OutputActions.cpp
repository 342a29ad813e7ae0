#include "output/ui/OutputActions.h"

#include "shell/Msg.h"
#include "shell/ui/MainMenu.h"

#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>

namespace kessory {
namespace {

// The job factory of a window, kept as its child so that it lives and dies with it.
class OutputSource final : public QObject {
public:
    OutputSource(QWidget* window, JobFactory factory)
        : QObject(window)
        , m_factory(std::move(factory))
    {
        setObjectName(QStringLiteral("outputSource"));
    }
    bool make(OutputJob& job) const { return m_factory && m_factory(job); }

private:
    JobFactory m_factory;
};

const OutputSource* sourceOf(const QWidget* window)
{
    return window ? window->findChild<const OutputSource*>(QStringLiteral("outputSource"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

PreviewRunner& previewRunner()
{
    static PreviewRunner runner;
    return runner;
}

SaveFileAsker& saveFileAsker()
{
    static SaveFileAsker asker;
    return asker;
}

QString& lastFolder()
{
    static QString folder;
    return folder;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// The function window the frame's menu acts on: the active child of its area.
QWidget* activeWindow(QMainWindow* frame)
{
    auto* area = frame->findChild<QMdiArea*>();
    QMdiSubWindow* sub = area ? area->activeSubWindow() : nullptr;
    return sub ? sub->widget() : nullptr;
}

} // namespace

bool hasOutput(const QWidget* window)
{
    return sourceOf(window) != nullptr;
}

OutputButtons installOutput(QWidget* window, JobFactory factory, QWidget* buttonParent)
{
    new OutputSource(window, std::move(factory));
    auto* print = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), window);
    print->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(print, &QShortcut::activated, window, [window] { printWindow(window); });
    auto* exportKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), window);
    exportKey->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(exportKey, &QShortcut::activated, window, [window] { exportWindow(window); });

    OutputButtons buttons;
    if (buttonParent) {
        buttons.print
            = makeButton(buttonParent, "cmd_Print", QStringLiteral("打印"), QStringLiteral("打印预览 (Ctrl+P)"));
        buttons.exportFile = makeButton(buttonParent, "cmd_Export", QStringLiteral("导出"),
                                        QStringLiteral("导出为 PDF、XLSX 或 CSV (Ctrl+E)"));
        QObject::connect(buttons.print, &QPushButton::clicked, window, [window] { printWindow(window); });
        QObject::connect(buttons.exportFile, &QPushButton::clicked, window, [window] { exportWindow(window); });
    }
    return buttons;
}

void printWindow(QWidget* window)
{
    const OutputSource* source = sourceOf(window);
    OutputJob job;
    if (!source || !source->make(job))
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(job.fileName);
    const auto paint = [&job](QPrinter* device) { paintJob(job, *device); };
    if (previewRunner()) {
        previewRunner()(printer, paint);
        return;
    }
    if (job.vouchers)
        setVoucherPage(printer, job.paper);
    QPrintPreviewDialog preview(&printer, window);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + job.fileName);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    preview.exec();
}

void exportWindow(QWidget* window)
{
    const OutputSource* source = sourceOf(window);
    OutputJob job;
    if (!source || !source->make(job))
        return;
    if (lastFolder().isEmpty())
        lastFolder() = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(lastFolder()).filePath(job.fileName + QStringLiteral(".xlsx"));
    QString path;
    if (saveFileAsker()) {
        path = saveFileAsker()(proposed);
    } else {
        QString filter = QStringLiteral("Excel 工作簿 (*.xlsx)");
        path = QFileDialog::getSaveFileName(window, QStringLiteral("导出"), proposed,
                                            QStringLiteral("Excel 工作簿 (*.xlsx);;PDF 文件 (*.pdf);;CSV 文件 (*.csv)"),
                                            &filter);
        // A name typed without an extension takes the chosen type's.
        if (!path.isEmpty() && formatOfPath(path) == OutputFormat::Unknown)
            path += filter.contains(QStringLiteral("pdf")) ? QStringLiteral(".pdf")
                : filter.contains(QStringLiteral("csv"))   ? QStringLiteral(".csv")
                                                           : QStringLiteral(".xlsx");
    }
    if (path.isEmpty())
        return;
    lastFolder() = QFileInfo(path).absolutePath();
    QString error;
    if (!writeJob(job, path, &error)) {
        Msg::show(error, QStringLiteral("导出"));
        return;
    }
    Msg::show(QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(path)), QStringLiteral("导出"));
}

void setPreviewRunner(PreviewRunner runner)
{
    previewRunner() = std::move(runner);
}

void setSaveFileAsker(SaveFileAsker asker)
{
    saveFileAsker() = std::move(asker);
}

void addOutputMenu(QMainWindow* frame)
{
    QMenu* system = mainMenu(frame, MenuKind::System);
    if (!system)
        return;
    // At the head of the menu, apart from the commands below.
    QAction* before = system->actions().isEmpty() ? nullptr : system->actions().first();
    const auto act = [frame](void (*command)(QWidget*)) {
        return [frame, command] {
            QWidget* window = activeWindow(frame);
            if (!hasOutput(window)) {
                Msg::show(QStringLiteral("请先打开要打印或导出的凭证、账簿、报表或科目窗口."), QStringLiteral("提示"));
                return;
            }
            command(window);
        };
    };
    auto* print = new QAction(QStringLiteral("打印(&P)...\tCtrl+P"), system);
    print->setObjectName(QStringLiteral("act_Print"));
    QObject::connect(print, &QAction::triggered, frame, act(&printWindow));
    auto* exportFile = new QAction(QStringLiteral("导出(&E)...\tCtrl+E"), system);
    exportFile->setObjectName(QStringLiteral("act_Export"));
    QObject::connect(exportFile, &QAction::triggered, frame, act(&exportWindow));
    system->insertAction(before, print);
    system->insertAction(before, exportFile);
    if (before)
        system->insertSeparator(before);
}

} // namespace kessory

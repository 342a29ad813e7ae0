#include "shell/ui/mdiKessory.h"

#include "data/basDBOperate.h"
#include "shell/Msg.h"
#include "shell/basSysFunction.h"
#include "shell/ui/ButtonPicture.h"
#include "shell/ui/MainMenu.h"
#include "shell/ui/SystemCommands.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowHost.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

using kessory::ButtonPicture;

namespace {

const char* const kCaptions[]
    = { "凭证管理", "明细账", "总账", "现金流量", "损益", "资产负债", "科目管理", "科目汇总" };
constexpr int kMinWidth = tw(12000);
constexpr int kMinHeight = tw(8500);
constexpr int kCaptionPitch = tw(930);
constexpr int kFirstCaption = tw(360);

// The caption's text colour, set in its palette: a style sheet would bring the style-sheet machinery into the start,
// before the first paint, for one colour.
void setCaptionColor(QLabel* caption, const QColor& color)
{
    if (caption->palette().color(QPalette::WindowText) == color && caption->testAttribute(Qt::WA_SetPalette))
        return;
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, color);
    caption->setPalette(palette);
}

} // namespace

mdiKessory::mdiKessory(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mdiKessory"));
    setWindowTitle(programTitle());
    setMinimumSize(kMinWidth, kMinHeight);
    // The frame fits the screen it opens on, down to its minimum size.
    QSize start(1024, 720);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        start = start.boundedTo(screen->availableGeometry().size() - QSize(0, 40));
    resize(start.expandedTo(minimumSize()));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_bar = new QWidget(central);
    m_bar->setObjectName(QStringLiteral("Picture1"));
    m_bar->setFixedHeight(72);
    m_bar->setAutoFillBackground(true);
    m_bar->setMouseTracking(true);
    m_bar->installEventFilter(this);
    layout->addWidget(m_bar);

    for (int i = 0; i < 8; ++i) {
        auto* button = new ButtonPicture(i, m_bar);
        const int captionLeft = kFirstCaption + i * kCaptionPitch - 8;
        auto* caption = new QLabel(QString::fromUtf8(kCaptions[i]), m_bar);
        caption->setObjectName(QStringLiteral("lblBtnCaption_%1").arg(i));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setGeometry(captionLeft, 46, 62, 20);
        caption->setMouseTracking(true);
        caption->installEventFilter(this);
        button->move(captionLeft + (62 - button->width()) / 2, 5);
        connect(button, &ButtonPicture::pointerMoved, this, &mdiKessory::onPointerMoved);
        connect(button, &ButtonPicture::pressed, this, &mdiKessory::onPressed);
        connect(button, &ButtonPicture::released, this, &mdiKessory::onReleased);
        m_buttons[static_cast<std::size_t>(i)] = button;
        m_captions[static_cast<std::size_t>(i)] = caption;
    }
    clearHover();

    m_area = new QMdiArea(central);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(QColor(128, 128, 128));
    // A child larger than the area is reached by scrolling.
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->viewport()->setMouseTracking(true);
    m_area->viewport()->installEventFilter(this);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);

    kessory::WindowHost::instance().setArea(m_area);
    kessory::buildMainMenu(this);
}

mdiKessory::~mdiKessory()
{
    kessory::WindowHost::instance().setArea(nullptr);
}

QString mdiKessory::programTitle()
{
    return kessory::Msg::programTitle();
}

bool mdiKessory::funLoad()
{
    return funLoad(QCoreApplication::applicationDirPath(), kessory::LogRegister::Later);
}

namespace {

// The database file under the program folder; when it is missing the program says so and ends.
bool funCheckDBFile(const QString& programFolder)
{
    if (basDBOperate::locateDBFile(programFolder))
        return true;
    // A settings file that cannot be read says what is wrong with it.
    const QString why = basDBOperate::funOpenFailureText();
    kessory::Msg::show(why.isEmpty() ? QStringLiteral("缺少文件，系统无法运行.") : why, QStringLiteral("错误"));
    basSysFunction::funExitSystem();
    return false;
}

// Opens the book. A server that wants a password has it asked for (kept in memory only), three tries at most.
// Nothing opened: the reason has been said.
bool funOpenBook()
{
    constexpr int kTries = 3;
    const QString title = QStringLiteral("连接账簿服务器");
    basDBOperate::RecordsetPtr rs;
    for (int tries = 0;; ++tries) {
        if (basDBOperate::funOpenDB(rs))
            return true;
        if (!basDBOperate::funOpenNeedsPassword()) {
            // A file that is there but holds no books would leave every window empty and every save failing.
            kessory::Msg::show(basDBOperate::funOpenFailureText(), QStringLiteral("错误"));
            return false;
        }
        if (tries == kTries) {
            kessory::Msg::show(QStringLiteral("账簿服务器的口令%1次均不正确，系统无法运行。").arg(kTries),
                               QStringLiteral("错误"));
            return false;
        }
        const QString book = basDBOperate::bookLocation.server.label();
        const std::optional<QString> password = kessory::Msg::askPassword(
            tries == 0 ? QStringLiteral("请输入账簿服务器 %1 的口令：").arg(book)
                       : QStringLiteral("口令不正确，请重新输入账簿服务器 %1 的口令：").arg(book),
            title);
        if (!password) {
            kessory::Msg::show(QStringLiteral("未输入账簿服务器的口令，系统无法运行。"), QStringLiteral("错误"));
            return false;
        }
        basDBOperate::bookLocation.server.password = *password;
    }
}

} // namespace

QString mdiKessory::bookTitle()
{
    const kessory::Connection* book = basDBOperate::cnnDB.get();
    if (!book || book->engine() != kessory::Engine::Postgres)
        return programTitle();
    return programTitle() + QStringLiteral(" - 服务器账簿 ") + book->serverLabel();
}

bool mdiKessory::funLoad(const QString& programFolder, kessory::LogRegister logRegister)
{
    if (!funCheckDBFile(programFolder))
        return false;
    if (!funOpenBook()) {
        basSysFunction::funExitSystem();
        return false;
    }
    setWindowTitle(bookTitle());
    if (!kessory::startSession(logRegister))
        return false;
    m_registerAfterPaint = logRegister == kessory::LogRegister::Later;
    return true;
}

void mdiKessory::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (!m_registerAfterPaint)
        return;
    m_registerAfterPaint = false;
    // Queued behind the rest of this paint, so that the whole frame is on screen while the backup and the register
    // are made; no command has run yet.
    QTimer::singleShot(0, this, [] { kessory::finishStart(); });
}

void mdiKessory::onPointerMoved(int index)
{
    for (int i = 0; i < 8; ++i) {
        ButtonPicture* b = m_buttons[static_cast<std::size_t>(i)];
        QLabel* caption = m_captions[static_cast<std::size_t>(i)];
        if (i == index) {
            if (b->state() == ButtonPicture::State::Flat)
                b->setState(ButtonPicture::State::Hover);
            setCaptionColor(caption, QColor(255, 0, 0));
        } else {
            if (b->state() == ButtonPicture::State::Hover)
                b->setState(ButtonPicture::State::Flat);
            setCaptionColor(caption, QColor(0, 0, 0));
        }
    }
}

void mdiKessory::onPressed(int index)
{
    for (int i = 0; i < 8; ++i) {
        ButtonPicture* b = m_buttons[static_cast<std::size_t>(i)];
        if (i == index) {
            if (b->state() != ButtonPicture::State::Pressed)
                b->setState(ButtonPicture::State::Pressed);
        } else if (b->state() == ButtonPicture::State::Pressed) {
            b->setState(ButtonPicture::State::Flat);
        }
    }
}

void mdiKessory::onReleased(int index)
{
    for (ButtonPicture* b : m_buttons) {
        if (b->state() == ButtonPicture::State::Pressed)
            b->setState(ButtonPicture::State::Flat);
    }
    kessory::WindowHost::instance().open(index);
}

void mdiKessory::clearHover()
{
    for (int i = 0; i < 8; ++i) {
        m_buttons[static_cast<std::size_t>(i)]->setState(ButtonPicture::State::Flat);
        setCaptionColor(m_captions[static_cast<std::size_t>(i)], QColor(0, 0, 0));
    }
}

bool mdiKessory::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && (watched == m_bar || watched == m_area->viewport())) {
        clearHover();
    } else if (event->type() == QEvent::MouseMove) {
        // A caption belongs to its button.
        for (int i = 0; i < 8; ++i) {
            if (watched == m_captions[static_cast<std::size_t>(i)])
                onPointerMoved(i);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void mdiKessory::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Without a window manager nothing holds the frame to its minimum size: a smaller size snaps back to it.
    // Minimising stays possible.
    if (!isMinimized() && (width() < minimumWidth() || height() < minimumHeight()))
        resize(size().expandedTo(minimumSize()));
}

void mdiKessory::closeEvent(QCloseEvent* event)
{
    // The voucher window asks about unsaved typing first; its 取消 keeps the program running. The other function
    // windows have nothing to ask and run none of their own closing logic.
    if (!kessory::closeWindow(kessory::WindowHost::instance().find(kessory::WindowKind::PZ))) {
        event->ignore();
        return;
    }
    event->accept();
    basSysFunction::funExitSystem();
}

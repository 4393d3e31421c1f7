#include "qt/camera_list_dlg.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "app/string_table.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "discovery/worker_control.h"
#include "qt/dialog_units.h"
#include "qt/fonts.h"
#include "qt/list_hook.h"
#include "qt/list_log.h"
#include "qt/plain_labels.h"
#include "qt/upgrade_dlg.h"
#include "qt/utf8_text.h"
#include "qt/window_modal.h"
#include "ui/closing_order.h"
#include "ui_camera_list_dlg.h"

namespace lenscout {

namespace {

void fillMissingDialogs(CameraDialogs& d, const MessageBoxFn& messageBox, QWidget* owner) {
    const CameraDialogs standard = standardCameraDialogs(messageBox, owner);
    if (!d.networkConfiguration) d.networkConfiguration = standard.networkConfiguration;
    if (!d.basicProperties) d.basicProperties = standard.basicProperties;
    if (!d.openWebPage) d.openWebPage = standard.openWebPage;
    if (!d.contextMenu) d.contextMenu = standard.contextMenu;
    if (!d.upgrade)
        d.upgrade = [messageBox, owner](CameraInfo& camera) {
            CUpgradeDlg dialog(messageBox);
            makeWindowModal(&dialog, owner);
            dialog.m_camera = camera;
            return dialog.DoModal() == QDialog::Accepted;
        };
}

}  // namespace

CCameraListDlg::CCameraListDlg(WindowServices services)
    : ui_(std::make_unique<Ui::CCameraListDlg>()),
      services_(std::move(services)),
      m_hIcon(),
      lines_((ui_->setupUi(this), std::make_unique<ListWidgetLines>(ui_->IDC_CAMERA_LIST))),
      presenter_(*this, *lines_, services_.dialogs, services_.startWorker),
      target_(this),
      log_(ListLog::fromEnvironment()) {
    m_hIcon.addFile(QStringLiteral(":/lenscout/lenscout-16.png"), QSize(16, 16));
    m_hIcon.addFile(QStringLiteral(":/lenscout/lenscout-32.png"), QSize(32, 32));
    m_hIcon.addFile(QStringLiteral(":/lenscout/lenscout-64.png"), QSize(64, 64));
    if (!services_.messageBox) services_.messageBox = showMessageBox;
    if (!services_.tray) services_.tray = makeSystemTray(this);
    fillMissingDialogs(services_.dialogs, services_.messageBox, this);
    // A normal top-level window, so that every window manager offers its
    // minimise; caption, system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(dialogFont());
    applyDialogUnits(this);
    keepLabelsPlain(this);
    configureCameraList(ui_->IDC_CAMERA_LIST);
    connect(ui_->IDC_CAMERA_LIST, &QListWidget::itemDoubleClicked, this, [this] { presenter_.OnDblclkCameraList(); });
}

CCameraListDlg::~CCameraListDlg() {
    if (!destroyed_) OnDestroy();
}

QListWidget* CCameraListDlg::list() const { return ui_->IDC_CAMERA_LIST; }

bool CCameraListDlg::OnInitDialog() {
    setWindowIcon(m_hIcon);
    setWindowTitle(qtText(CurrentText(kTextTitle)));
    services_.tray->attachMenu(
        {[this] { return presenter_.trayMenuEntries(); }, [this](int command) { presenter_.runTrayCommand(command); }});
    services_.tray->watchHost([this] { OnTrayHostChange(); });
    addTrayIcon();
    applyListFont(ui_->IDC_CAMERA_LIST);
    new ListHook(ui_->IDC_CAMERA_LIST, this);
    // Last: the worker posts to this window as soon as it runs.
    return presenter_.start(&target_);
}

int CCameraListDlg::DoModal() {
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    keepInsideScreen();
    show();
    if (!destroyed_) loop.exec();
    return result();
}

bool CCameraListDlg::event(QEvent* e) {
    auto* m = dynamic_cast<WindowMessage*>(e);
    if (!m) return QDialog::event(e);
    // Once shutdown has begun, what was still queued is dropped unhandled
    // (a found camera's record goes with its message).
    if (destroyed_) return true;
    switch (m->message()) {
    case WM_CAMERA_FOUND: presenter_.OnCameraFound(m->takeRecord()); break;
    case WM_SCAN_TICK: presenter_.OnScanTick(); break;
    case WM_SCAN_ERROR: presenter_.OnScanError(paramCode(m->wParam())); break;
    case WM_TRAYNOTIFY: OnTrayNotify(m->wParam(), m->lParam()); break;
    case WM_LIST_RCLICK: presenter_.OnListRClick(); break;
    default: return QDialog::event(e);
    }
    return true;
}

void CCameraListDlg::listUpdated(const char* event) {
    if (log_) log_->write(event, *lines_);
}

void CCameraListDlg::showMessage(int textRow) { services_.messageBox(this, CurrentText(textRow)); }

// The window's quit: its modal loop ends once the running handler is done.
void CCameraListDlg::quitAfterThisMessage() {
    QMetaObject::invokeMethod(
        this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
}

void CCameraListDlg::OnTrayNotify(uintptr_t, intptr_t lParam) {
    presenter_.OnTrayNotify(static_cast<TrayMouse>(lParam));
}

int CCameraListDlg::runTrayMenu(const std::vector<TrayMenuEntry>& entries) { return services_.tray->runMenu(entries); }

void CCameraListDlg::setTitle(const std::string& title, const std::string& tip) {
    setWindowTitle(qtText(title));
    services_.tray->modify(qtText(tip));
}

// A notification area came or went. An icon that went with it leaves the
// window shown, as nothing else could bring it back; a new one gets the icon.
void CCameraListDlg::OnTrayHostChange() {
    if (destroyed_) return;
    const bool had = trayIconShown_;
    trayIconShown_ = services_.tray->shown();
    if (had && !trayIconShown_ && isHidden()) showAndRaise();
    if (!trayIconShown_) addTrayIcon();
}

void CCameraListDlg::showAndRaise(const QByteArray& activationToken) {
    // Qt's Wayland platform takes the token from here when it activates.
    if (!activationToken.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    // A window unmapped by someone else still counts as shown here; map it
    // anew so that it really comes back.
    if (isVisible() && windowHandle() && !windowHandle()->isExposed()) hide();
    keepInsideScreen();
    showNormal();
    raise();
    activateWindow();
}

// At a large scale on a small screen the window would not fit: it and its
// list shrink to the screen's free area, with room for a title bar, and the
// window is placed inside that area.
void CCameraListDlg::keepInsideScreen() {
    if (const QScreen* screen = this->screen()) fitInto(screen->availableGeometry());
}

void CCameraListDlg::fitInto(const QRect& free) {
    const QSize room = free.size() - QSize(kFrameAllowance, kTitleAllowance);
    const QSize fitted = size().boundedTo(room);
    if (fitted != size()) {
        QWidget* list = ui_->IDC_CAMERA_LIST;
        list->resize(list->size() - (size() - fitted));
        setFixedSize(fitted);
    }
    if (!free.contains(geometry())) move(free.topLeft());
}

// A tray host may start after the program: until then the icon is looked
// for again every few seconds.
void CCameraListDlg::addTrayIcon() {
    if (destroyed_) return;
    trayIconShown_ = services_.tray->add(m_hIcon, qtText(trayTipText(CurrentText(kTextTitle))));
    if (trayIconShown_) {
        if (trayRetry_) trayRetry_->stop();
        return;
    }
    if (!trayRetry_) {
        trayRetry_ = new QTimer(this);
        connect(trayRetry_, &QTimer::timeout, this, &CCameraListDlg::addTrayIcon);
        trayRetry_->start(kTrayRetryMs);
    }
}

// Minimising hides the window: it leaves the screen and the taskbar and
// comes back through the tray icon or a second start. Without an icon it
// minimises, so that the taskbar can bring it back.
void CCameraListDlg::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange) return;
    // A title bar drawn without the window manager's help may still offer
    // maximise; for this fixed window it does nothing.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!(windowState() & Qt::WindowMinimized)) return;
    if (!trayIconShown_) {
        // A Wayland compositor tells nobody of a minimised window, and no
        // request brings it back; shells without a window list (weston,
        // sway) lose it. Without an icon to return through, the window is
        // mapped afresh and stays on screen.
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            QTimer::singleShot(0, this, [this] {
                hide();
                showNormal();
            });
        return;
    }
    // Only withdrawn: restoring a window the manager has iconified asks it
    // to map the window again, which could land after the hide. The window
    // comes back restored through showAndRaise.
    QTimer::singleShot(0, this, &QWidget::hide);
}

// Plain Enter and Escape are the presenter's (OnKey); neither reaches the
// dialog, whose own rules would close it.
void CCameraListDlg::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool plain =
        e->modifiers() == Qt::NoModifier || (e->modifiers() == Qt::KeypadModifier && e->key() == Qt::Key_Enter);
    if (enter && plain) {
        if (ui_->IDC_CAMERA_LIST->currentRow() >= 0) presenter_.OnKey(WindowKey::EnterOnList);
        return;
    }
    if (e->key() == Qt::Key_Escape) return presenter_.OnKey(WindowKey::Escape);
    QDialog::keyPressEvent(e);
}

void CCameraListDlg::done(int result) {
    QDialog::done(result);
    if (destroyed_) return;
    OnDestroy();
    closeCameraDialogs();
}

// Exit closes what is open over the window, the deepest first: a message
// box, the file picker, then the camera dialog under them.
void CCameraListDlg::closeCameraDialogs() {
    std::vector<OpenWindow> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) open.push_back({w, w->parentWidget() ? w->parentWidget()->window() : nullptr});
    for (const void* w : closingOrder(open, this)) {
        auto* widget = static_cast<QWidget*>(const_cast<void*>(w));
        if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->reject();
        else
            widget->close();
    }
}

// Tray icon removed, then store and list emptied and the worker stopped:
// kQuitThread every 100 ms until it has returned.
void CCameraListDlg::OnDestroy() {
    destroyed_ = true;
    if (trayRetry_) trayRetry_->stop();
    services_.tray->remove();
    presenter_.stop();
}

}  // namespace lenscout

#include "MainWindow.h"

#include "platform/FileSystem.h"
#include "run/ErrorProtocol.h"
#include "texts/ControlTable.h"
#include "widgets/CaptionFonts.h"
#include "widgets/WindowLayout.h"
#include "widgets/WindowPictures.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace mainwindow {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Runs an event handler of the window. A failure that ends the program must
// not unwind through the event loop: it ends the loop with its status, and
// main() ends the run.
template <class Handler> auto guarded(Handler handler) {
    return [handler] {
        try {
            handler();
        } catch (const run::ProgramEnded& ended) {
            QCoreApplication::exit(ended.status);
        }
    };
}

// Pictures of the buttons that show no caption, with the names screen readers announce.
struct PictureButton {
    const char* name;
    const char* resource;
    const char* accessibleName;
};
constexpr PictureButton kPictureButtons[] = {
    {"CommandOK", ":/pictures/ok.png", "OK"},
    {"CommandCancel", ":/pictures/cancel.png", "Cancel"},
    {"CommandQuest", ":/pictures/quest.png", "Help mode"},
};

} // namespace

MainWindow::MainWindow(engineering::ConfigurationRun& run, engineering::FunctionEditor* editor,
                       engineering::DatabaseUpdate& update, QWidget* parent)
    : QWidget(parent), logic_(run, *this, editor, update) {
    widgets::initWindowPictures();
    setObjectName(engineering::kMainWindowName);
    widgets::setBackgroundColour(*this, texts::kLightGrey);
    widgets::fixClientSizeInTwips(*this, engineering::kMainWindowWidth,
                                  engineering::kMainWindowHeight);
    // Its size is fixed: a title bar without a maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildFromControls();
    setTabOrder();
}

QWidget* MainWindow::createControl(const texts::ControlEntry& entry, QWidget* container) {
    QWidget* widget = nullptr;
    if (entry.kind == texts::kKindLabel) {
        auto* label = new QLabel(container);
        if (entry.name == "Header") {
            QFont font("MS Sans Serif");
            font.setStyleHint(QFont::SansSerif);
            font.setPointSizeF(13.5);
            font.setBold(true);
            label->setFont(font);
        }
        widget = label;
    } else if (entry.kind == texts::kKindFrame) {
        auto* frame = new QFrame(container);
        frame->setFrameShape(QFrame::Box);
        frame->setFrameShadow(QFrame::Sunken);
        widget = frame;
    } else {
        auto* button = new QPushButton(container);
        button->setFocusPolicy(Qt::StrongFocus);
        widget = button;
    }
    const std::string objectName =
        entry.index > 0 ? entry.name + std::to_string(entry.index) : entry.name;
    widget->setObjectName(qt(objectName));
    widgets::placeInTwips(*widget, entry.geometry);
    widgets::setBackgroundColour(*widget, texts::kLightGrey);
    return widget;
}

void MainWindow::buildFromControls() {
    // Frames first, so that the controls they hold find their container.
    std::map<std::string, QWidget*> containers{{"Tessaron", this}};
    for (const auto& entry : logic_.controls())
        if (entry.kind == texts::kKindFrame)
            containers[entry.name] = widgets_[entry.name] = createControl(entry, this);
    for (const auto& entry : logic_.controls()) {
        if (entry.kind == texts::kKindFrame)
            continue;
        const auto container = containers.find(entry.container);
        QWidget* widget =
            createControl(entry, container != containers.end() ? container->second : this);
        if (entry.name == "Pic" && entry.index >= 1 && entry.index <= engineering::kButtonCount) {
            auto* button = static_cast<QPushButton*>(widget);
            button->setAccessibleName(QString("Function %1").arg(entry.index));
            button->setIconSize(widget->size() - QSize(6, 6));
            connect(button, &QPushButton::clicked, this,
                    guarded([this, n = entry.index] { logic_.Pic_Click(n); }));
            pics_[std::size_t(entry.index - 1)] = button;
        } else {
            widgets_[entry.name] = widget;
        }
    }
    for (const auto& picture : kPictureButtons) {
        auto* button = static_cast<QPushButton*>(widgets_.at(picture.name));
        const QPixmap pixmap(picture.resource);
        button->setIcon(pixmap);
        button->setIconSize(pixmap.size());
        button->setAccessibleName(picture.accessibleName);
    }
    auto button = [this](const char* name) { return static_cast<QPushButton*>(widgets_.at(name)); };
    connect(button("CommandOK"), &QPushButton::clicked, this,
            guarded([this] { logic_.CommandOK_Click(); }));
    connect(button("CommandCancel"), &QPushButton::clicked, this,
            guarded([this] { logic_.CommandCancel_Click(); }));
    connect(button("CommandQuest"), &QPushButton::clicked, this,
            guarded([this] { logic_.CommandQuest_Click(); }));
    connect(button("CommandEdit"), &QPushButton::clicked, this,
            guarded([this] { logic_.CommandEdit_Click(); }));
    button("CommandOK")->setEnabled(false);
    button("CommandCancel")->setEnabled(false);
    applyControlTexts();
}

void MainWindow::applyControlTexts() {
    for (const auto& entry : logic_.controls()) {
        QWidget* widget =
            entry.name == "Pic" ? pics_.at(std::size_t(entry.index - 1)) : widgets_.at(entry.name);
        widget->setToolTip(qt(entry.toolTip));
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(qt(entry.caption));
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            widgets::setButtonCaption(*button, qt(entry.caption), qt(entry.toolTip));
    }
}

void MainWindow::setTabOrder() {
    std::vector<QWidget*> order{widgets_.at("CommandOK"), widgets_.at("CommandCancel"),
                                widgets_.at("CommandQuest")};
    order.insert(order.end(), pics_.begin(), pics_.end());
    order.push_back(widgets_.at("CommandEdit"));
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::load() {
    logic_.Form_Load();
    applyControlTexts();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool confirmed = false;
    guarded([&] { confirmed = logic_.Form_QueryUnload(); })();
    if (confirmed)
        event->accept();
    else
        event->ignore();
}

void MainWindow::setCaption(const std::string& caption) {
    setWindowTitle(qt(caption));
}

bool MainWindow::showPicture(int button, const std::string& path) {
    QPixmap pixmap;
    if (!pixmap.load(qt(platform::nativePath(path).string())))
        return false;
    functionButton(button)->setIcon(pixmap);
    return true;
}

void MainWindow::setButtonEnabled(int button, bool enabled) {
    functionButton(button)->setEnabled(enabled);
}

void MainWindow::setEditHighlighted(bool on) {
    widgets::setBackgroundColour(*widgets_.at("CommandEdit"),
                                 on ? texts::kGreen : texts::kLightGrey);
}

void MainWindow::setHelpHighlighted(bool on) {
    widgets::setBackgroundColour(*widgets_.at("CommandQuest"),
                                 on ? texts::kGreen : texts::kLightGrey);
}

void MainWindow::setOkCancelEnabled(bool enabled) {
    widgets_.at("CommandOK")->setEnabled(enabled);
    widgets_.at("CommandCancel")->setEnabled(enabled);
}

void MainWindow::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::processPendingEvents() {
    QCoreApplication::processEvents();
}

} // namespace mainwindow

#include "Edit.h"

#include "editing/EditChoices.h"
#include "editing/NormalizeInteger.h"
#include "editing/SymbolPickerSlots.h"
#include "engineering/ConfigurationRun.h"
#include "QtFileChooser.h"
#include "run/ProgramLocation.h"
#include "SymbolAuswahl.h"
#include "SymbolPictures.h"
#include "widgets/CaptionFonts.h"
#include "widgets/PictureBox.h"
#include "widgets/WindowLayout.h"
#include "widgets/WindowPictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include <utility>

namespace dialogs {
namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

template <typename Widget, typename... Arguments>
Widget* control(QWidget* container, const char* name, texts::TwipsRect rect,
                Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)..., container);
    widget->setObjectName(QString::fromLatin1(name));
    widgets::placeInTwips(*widget, rect);
    return widget;
}

QLabel* label(QWidget* container, const char* name, texts::TwipsRect rect, const char* text) {
    auto* result =
        control<QLabel>(container, name, rect, widgets::keepTokensWhole(QString::fromUtf8(text)));
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result->setWordWrap(true);
    return result;
}

bool ticked(const QCheckBox& box) {
    return box.checkState() == Qt::Checked; // grey counts as clear
}

void setTicked(QCheckBox& box, bool value) {
    box.setCheckState(value ? Qt::Checked : Qt::Unchecked);
}

void fillList(QComboBox& list, const auto& entries, int selected) {
    list.clear();
    for (std::string_view entry : entries)
        list.addItem(qText(entry));
    list.setCurrentIndex(selected);
}

QPushButton* pictureButton(QWidget* container, const char* name, texts::TwipsRect rect,
                           const char* picture, const char* accessibleName) {
    auto* button = control<QPushButton>(container, name, rect);
    const QPixmap pixmap(QString::fromLatin1(picture));
    button->setIcon(pixmap);
    button->setIconSize(pixmap.deviceIndependentSize().toSize());
    button->setAccessibleName(QString::fromLatin1(accessibleName));
    return button;
}

} // namespace

Edit::Edit(const engineering::ConfigurationRun& run, QWidget* parent, editing::FileChooser* files)
    : QDialog(parent), run_(run), files_(files) {
    static const bool picturesReady = (widgets::initWindowPictures(), true);
    (void)picturesReady;
    if (!files_) {
        ownFiles_ = std::make_unique<QtFileChooser>(this);
        files_ = ownFiles_.get();
    }
    setObjectName(QStringLiteral("Edit"));
    setWindowTitle(QStringLiteral("Edit"));
    widgets::setBackgroundColour(*this, texts::kLightGrey);
    setFont(widgets::dialogFont());
    widgets::fixClientSizeInTwips(*this, 11880, 8595);
    buildControls();
    chainTabOrder();
    connectHandlers();
}

Edit::~Edit() = default;

void Edit::buildControls() {
    einEnabled_ =
        control<QCheckBox>(this, "EinEnabled", {75, 75, 7830, 360}, QStringLiteral("Aktiviert"));
    einSymbol_ = control<widgets::PictureBox>(this, "EinSymbol", {75, 510, 1920, 1665});
    einSymbol_->setAccessibleName(QStringLiteral("Symbol"));

    auto* remote = control<QGroupBox>(this, "FrameRemoteDesktop", {2115, 420, 9690, 1770},
                                      QStringLiteral("Remote Desktop"));
    checkRemoteDesktop_ = control<QCheckBox>(remote, "CheckRemoteDesktop", {120, 330, 2190, 285},
                                             QStringLiteral("Remote Desktop"));
    label(remote, "LabelRemote1", {120, 750, 2385, 300}, "Wartezeit vorm Einloggen (in ms)");
    textRemote_[0] = control<QLineEdit>(remote, "TextRemote1", {2535, 720, 1170, 300});
    label(remote, "LabelRemote2", {120, 1080, 2385, 600},
          "Login String Sonderzeichen: {S-TAB}{TAB}{ENTER}{ALT-X}");
    textRemote_[1] = control<QLineEdit>(remote, "TextRemote2", {2535, 1050, 7065, 300});

    auto* position = control<QGroupBox>(this, "FramePosition", {2115, 2295, 2595, 2370},
                                        QStringLiteral("Position"));
    comboPosModus_ = control<QComboBox>(position, "ComboPosModus", {105, 315, 2385, 315});
    const std::array<const char*, 4> positionLabels = {"Links", "Oben", "Breite", "Höhe"};
    for (int element = 1; element <= 4; ++element) {
        const int top = 720 + 330 * (element - 1);
        const QByteArray suffix = QByteArray::number(element);
        label(position, ("LabelPosition" + suffix).constData(), {210, top + 30, 900, 300},
              positionLabels[std::size_t(element - 1)]);
        textPosition_[std::size_t(element - 1)] = control<QLineEdit>(
            position, ("TextPosition" + suffix).constData(), {1155, top, 1170, 300});
    }

    auto* end = control<QGroupBox>(this, "FrameBeenden", {4875, 2310, 3600, 2370},
                                   QStringLiteral("Beenden"));
    label(end, "LabelEndModus", {210, 345, 900, 300}, "Modus");
    comboEndeMode_ = control<QComboBox>(end, "ComboEndeMode", {1155, 315, 2385, 315});
    label(end, "LabelEndTime", {210, 750, 900, 300}, "Timeout (s)");
    textEndTime_ = control<QLineEdit>(end, "TextEndTime", {1155, 720, 1170, 300});
    checkEndWhenExit_ = control<QCheckBox>(end, "CheckEndWhenExit", {210, 1335, 3000, 360},
                                           QStringLiteral("Beenden nach Fensterwechsel"));

    auto* program = control<QGroupBox>(this, "FrameExe", {75, 4710, 11730, 2400},
                                       QStringLiteral("Exe / Fenster"));
    // The program-box labels are larger than the other texts.
    const QFont labelFont = widgets::dialogFont(9.75);
    label(program, "LabelExe", {105, 285, 11550, 360},
          "Exe - Verweis (wenn die Endung htm oder html oder der Anfang http ist, dann wird der "
          "IE benutzt)")
        ->setFont(labelFont);
    textExe_ = control<QLineEdit>(program, "TextExe", {105, 540, 11550, 300});
    label(program, "LabelWindow1", {105, 1005, 11550, 360},
          "Fenstername (auch Wildchars ' * ' am Anfang und Ende erlaubt)")
        ->setFont(labelFont);
    textWindow1_ = control<QLineEdit>(program, "TextWindow1", {105, 1260, 11550, 300});
    label(program, "LabelWindow2", {105, 1725, 11550, 360},
          "Fenstername eines zusätzlichen Fensters (auch Wildchars ' * ' am Anfang und Ende "
          "erlaubt)")
        ->setFont(labelFont);
    textWindow2_ = control<QLineEdit>(program, "TextWindow2", {105, 1980, 11550, 300});

    commandOK_ =
        pictureButton(this, "CommandOK", {8400, 7710, 1695, 855}, ":/pictures/ok.png", "OK");
    commandCancel_ = pictureButton(this, "CommandCancel", {10170, 7710, 1695, 855},
                                   ":/pictures/cancel.png", "Cancel");
    // Return anywhere in the dialog confirms, as in any desktop dialog.
    commandOK_->setDefault(true);

    widgets::fitCaptions(*this);
}

void Edit::chainTabOrder() {
    // Top to bottom, left to right, as the controls stand.
    const std::array<QWidget*, 17> order = {
        einEnabled_,    einSymbol_,       checkRemoteDesktop_, textRemote_[0],   textRemote_[1],
        comboPosModus_, textPosition_[0], textPosition_[1],    textPosition_[2], textPosition_[3],
        comboEndeMode_, textEndTime_,     checkEndWhenExit_,   textExe_,         textWindow1_,
        textWindow2_,   commandOK_};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    QWidget::setTabOrder(commandOK_, commandCancel_);
}

template <typename Sender, typename Signal, typename Handler>
void Edit::onChange(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this, [this, handler] {
        if (!filling_)
            handler();
    });
}

void Edit::connectHandlers() {
    onChange(einEnabled_, &QCheckBox::stateChanged, [this] { EinEnabled_Click(); });
    onChange(checkRemoteDesktop_, &QCheckBox::stateChanged, [this] { CheckRemoteDesktop_Click(); });
    onChange(checkEndWhenExit_, &QCheckBox::stateChanged, [this] { CheckEndWhenExit_Click(); });
    onChange(textExe_, &QLineEdit::textChanged, [this] { TextExe_Change(); });
    onChange(textWindow1_, &QLineEdit::textChanged, [this] { TextWindow1_Change(); });
    onChange(textWindow2_, &QLineEdit::textChanged, [this] { TextWindow2_Change(); });
    for (int element = 1; element <= 2; ++element)
        onChange(textRemote_[std::size_t(element - 1)], &QLineEdit::textChanged,
                 [this, element] { TextRemote_Change(element); });
    for (int element = 1; element <= 4; ++element)
        onChange(textPosition_[std::size_t(element - 1)], &QLineEdit::textChanged,
                 [this, element] { TextPosition_Change(element); });
    onChange(textEndTime_, &QLineEdit::textChanged, [this] { TextEndTime_Change(); });
    // A number box shows the normalised number once the operator has typed it
    // (Return, or focus elsewhere), so that "-", "2." or "&H" can be typed on.
    for (QLineEdit* box : {textPosition_[0], textPosition_[1], textPosition_[2], textPosition_[3],
                           textRemote_[0], textEndTime_})
        connect(box, &QLineEdit::editingFinished, this, [this, box] { numberBoxFinished(*box); });
    // Only an entry the operator picks changes a mode, never the filling.
    connect(comboPosModus_, &QComboBox::activated, this, &Edit::ComboPosModus_Click);
    connect(comboEndeMode_, &QComboBox::activated, this, &Edit::ComboEndeMode_Click);
    textExe_->installEventFilter(this);
    connect(einSymbol_, &widgets::PictureBox::clicked, this, &Edit::EinSymbol_Click);
    connect(commandOK_, &QPushButton::clicked, this, &Edit::CommandOK_Click);
    connect(commandCancel_, &QPushButton::clicked, this, &Edit::CommandCancel_Click);
}

void Edit::Aufbauen() {
    const QScopedValueRollback<bool> filling(filling_, true);
    Status = kStatusClosed;
    setTicked(*einEnabled_, function_.PEnabled);
    showSymbol();
    textExe_->setText(qText(function_.PExeFunction));
    textWindow1_->setText(qText(function_.PWindowName));
    textWindow2_->setText(qText(function_.PWindowName2));
    fillList(*comboPosModus_, editing::kPositionModeEntries,
             editing::positionModeListPosition(function_.PPosMode));
    const std::array<std::int16_t, 4> position = {function_.PPosLeft, function_.PPosTop,
                                                  function_.PPosWidth, function_.PPosHeight};
    for (std::size_t i = 0; i < position.size(); ++i)
        textPosition_[i]->setText(QString::number(position[i]));
    setTicked(*checkRemoteDesktop_, function_.PRemoteDeskTop);
    textRemote_[0]->setText(QString::number(function_.PWaitBeforeLogin));
    textRemote_[1]->setText(qText(function_.PLoginKey));
    fillList(*comboEndeMode_, editing::kEndModeEntries,
             editing::endModeListPosition(function_.PEndMode));
    setTicked(*checkEndWhenExit_, function_.PEndWhenExitWindow);
    textEndTime_->setText(QString::number(function_.PEndTime));
}

void Edit::showSymbol() {
    einSymbol_->setPicture(
        loadSymbolPicture(run::installationFolder(run_.program), function_.PSymbolName));
}

void Edit::numberBoxChanged(const QLineEdit& box, std::int16_t& field) {
    field = editing::NormalizeInteger(box.text().toStdString()).value;
}

void Edit::numberBoxFinished(QLineEdit& box) {
    const QString canonical =
        QString::fromStdString(editing::NormalizeInteger(box.text().toStdString()).text);
    // The change handler that the rewrite runs stores the same value again.
    if (box.text() != canonical)
        box.setText(canonical);
}

void Edit::EinEnabled_Click() {
    function_.PEnabled = ticked(*einEnabled_);
}
void Edit::CheckRemoteDesktop_Click() {
    function_.PRemoteDeskTop = ticked(*checkRemoteDesktop_);
}
void Edit::CheckEndWhenExit_Click() {
    function_.PEndWhenExitWindow = ticked(*checkEndWhenExit_);
}
void Edit::TextExe_Change() {
    function_.PExeFunction = textExe_->text().toStdString();
}
void Edit::TextWindow1_Change() {
    function_.PWindowName = textWindow1_->text().toStdString();
}
void Edit::TextWindow2_Change() {
    function_.PWindowName2 = textWindow2_->text().toStdString();
}

void Edit::TextRemote_Change(int element) {
    if (element == 1)
        numberBoxChanged(*textRemote_[0], function_.PWaitBeforeLogin);
    else if (element == 2)
        function_.PLoginKey = textRemote_[1]->text().toStdString();
}

void Edit::TextPosition_Change(int element) {
    const std::array<std::int16_t*, 4> fields = {&function_.PPosLeft, &function_.PPosTop,
                                                 &function_.PPosWidth, &function_.PPosHeight};
    if (element >= 1 && element <= 4)
        numberBoxChanged(*textPosition_[std::size_t(element - 1)],
                         *fields[std::size_t(element - 1)]);
}

void Edit::TextEndTime_Change() {
    numberBoxChanged(*textEndTime_, function_.PEndTime);
}

void Edit::ComboPosModus_Click(int listPosition) {
    if (listPosition >= 0)
        function_.PPosMode = editing::positionModeAt(listPosition);
}

void Edit::ComboEndeMode_Click(int listPosition) {
    if (listPosition >= 0)
        function_.PEndMode = editing::endModeAt(listPosition);
}

bool Edit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == textExe_ && event->type() == QEvent::MouseButtonDblClick) {
        TextExe_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Edit::TextExe_DblClick() {
    const editing::FileChoice choice{
        std::string(editing::kProgramChooserTitle), std::string(editing::kProgramChooserFilter),
        editing::programChooserStart(function_.PExeFunction,
                                     run::installationFolder(run_.program))};
    const std::optional<std::string> chosen = files_->chooseFileToOpen(choice);
    if (!chosen)
        return;
    function_.PExeFunction = *chosen;
    textExe_->setText(qText(function_.PExeFunction));
}

void Edit::EinSymbol_Click() {
    SymbolAuswahl picker(run_, this);
    picker.SymbolName = function_.PSymbolName;
    picker.SymbolNummer = 0;
    picker.exec();
    const std::string& chosen = run_.symbols.entry(picker.SymbolNummer);
    if (picker.SymbolNummer == 0 || chosen.empty())
        return;
    function_.PSymbolName = chosen;
    showSymbol();
}

void Edit::CommandOK_Click() {
    Status = kStatusOk;
    accept();
}

void Edit::CommandCancel_Click() {
    Status = kStatusCancel;
    reject();
}

} // namespace dialogs

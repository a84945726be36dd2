#include "SymbolAuswahl.h"

#include "engineering/ConfigurationRun.h"
#include "run/ProgramLocation.h"
#include "SymbolPictures.h"
#include "widgets/CaptionFonts.h"
#include "widgets/PictureBox.h"
#include "widgets/WindowLayout.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace dialogs {
namespace {

constexpr std::array<int, editing::kSlotColumns> kColumnLefts = {30, 1260, 2490, 3720};
constexpr std::array<int, editing::kSlotRows> kRowTops = {30, 960, 1890, 2820, 3750};

} // namespace

SymbolAuswahl::SymbolAuswahl(const engineering::ConfigurationRun& run, QWidget* parent)
    : QDialog(parent), run_(run) {
    setObjectName(QStringLiteral("SymbolAuswahl"));
    setWindowTitle(QStringLiteral("Symbol"));
    widgets::setBackgroundColour(*this, texts::kLightGrey);
    setFont(widgets::dialogFont());
    widgets::fixClientSizeInTwips(*this, 5565, 5235);

    for (int slot = 1; slot <= editing::kSlotCount; ++slot) {
        auto* box = new widgets::PictureBox(this);
        box->setObjectName(QStringLiteral("Bild%1").arg(slot));
        const int row = (slot - 1) / editing::kSlotColumns;
        const int column = (slot - 1) % editing::kSlotColumns;
        widgets::placeInTwips(
            *box, {kColumnLefts[std::size_t(column)], kRowTops[std::size_t(row)], 1200, 900});
        connect(box, &widgets::PictureBox::clicked, this, [this, slot] { Bild_Click(slot); });
        bild_[std::size_t(slot - 1)] = box;
    }

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("Scroll"));
    widgets::placeInTwips(*scroll_, {4980, 30, 435, 4620});
    scroll_->setSingleStep(1);
    scroll_->setPageStep(editing::kSlotRows);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    connect(scroll_, &QScrollBar::valueChanged, this, &SymbolAuswahl::Scroll_Change);

    commandEsc_ = new QPushButton(QStringLiteral("Abbruch"), this);
    commandEsc_->setObjectName(QStringLiteral("CommandEsc"));
    widgets::placeInTwips(*commandEsc_, {60, 4755, 1080, 420});
    // Return on a slot chooses it; it must never cancel the choice instead.
    commandEsc_->setAutoDefault(false);
    connect(commandEsc_, &QPushButton::clicked, this, &SymbolAuswahl::CommandEsc_Click);
}

SymbolAuswahl::~SymbolAuswahl() = default;

void SymbolAuswahl::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void SymbolAuswahl::wheelEvent(QWheelEvent* event) {
    if (scroll_->isVisible())
        QCoreApplication::sendEvent(scroll_, event);
    else
        QDialog::wheelEvent(event);
}

void SymbolAuswahl::Form_Load() {
    selection_.emplace(run_.symbols, SymbolName);
    {
        const QSignalBlocker quiet(scroll_);
        scroll_->setRange(0, selection_->scrollMaximum());
        scroll_->setValue(0);
    }
    scroll_->setVisible(selection_->scrollVisible());
    ShowSymbols();
    // Start on the current symbol when it is shown, else on the first slot.
    for (widgets::PictureBox* box : bild_)
        if (box->background() == QColor(QRgb(texts::kGreen))) {
            box->setFocus();
            return;
        }
    bild_[0]->setFocus();
}

void SymbolAuswahl::ShowSymbols() {
    const auto slots = selection_->slots();
    const std::string folder = run::installationFolder(run_.program);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        widgets::PictureBox& box = *bild_[i];
        const editing::SlotView& view = slots[i];
        box.setPicture(loadSymbolPicture(folder, view.symbol));
        box.setBackground(QColor(QRgb(view.background)));
        box.setAccessibleName(QString::fromStdString(view.symbol));
        // Empty slots choose nothing; the keyboard passes them by.
        box.setFocusPolicy(view.symbol.empty() ? Qt::NoFocus : Qt::StrongFocus);
    }
}

void SymbolAuswahl::Scroll_Change(int value) {
    if (!selection_)
        return;
    selection_->scrollTo(value);
    ShowSymbols();
}

void SymbolAuswahl::Bild_Click(int slot) {
    const std::int16_t entry = selection_ ? selection_->clickedEntry(slot) : std::int16_t(0);
    if (entry == 0)
        return;
    SymbolNummer = entry;
    accept();
}

void SymbolAuswahl::CommandEsc_Click() {
    SymbolNummer = 0;
    reject();
}

} // namespace dialogs

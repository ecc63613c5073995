#include "BlockBands.h"

#include "FrontEndMedia.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

namespace orvan {
namespace {

using block::kGap;

const char* indicatorPicture(int index) {
    switch (index) {
    case 2:
        return "indicator_searching_b.png";
    case 3:
        return "indicator_connected.png";
    default:
        return "indicator_searching_a.png";
    }
}

} // namespace

BlockBands::BlockBands(QWidget* window, Client& client, const block::Forwarder& forward) {
    using block::makeLabel;
    // The header: the workstation's name centred, the language chooser at the right.
    header_ = new QFrame(window);
    header_->setObjectName(QStringLiteral("fraHeader"));
    auto* headerGrid = new QGridLayout(header_);
    headerGrid->setContentsMargins(kGap, 6, kGap, 6);
    lblWksnName_ = makeLabel(header_, "lblWksnName");
    lblWksnName_->setWordWrap(false);
    lblWksnName_->setAlignment(Qt::AlignCenter);
    cmbLanguage_ = new QComboBox(header_);
    cmbLanguage_->setObjectName(QStringLiteral("cmbLanguage"));
    cmbLanguage_->setFocusPolicy(Qt::ClickFocus);
    headerGrid->addWidget(lblWksnName_, 0, 1);
    headerGrid->addWidget(cmbLanguage_, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    headerGrid->setColumnStretch(0, 1);
    headerGrid->setColumnStretch(2, 1);
    QObject::connect(cmbLanguage_, &QComboBox::activated, window, [&client, &forward](int index) {
        forward([&client, index] { client.lockScreenActions().cmbLanguage_Click(index); });
    });

    // The footer: the service spot, the contact line, the shop's own line.
    footer_ = new QFrame(window);
    footer_->setObjectName(QStringLiteral("fraFooter"));
    auto* footerRow = new QHBoxLayout(footer_);
    footerRow->setContentsMargins(8, 4, kGap, 4);
    picservice_ = makeLabel(footer_, "picservice");
    picservice_->setPixmap(FrontEndMedia::ownPicture("service.png"));
    picservice_->installEventFilter(window);
    label1_ = makeLabel(footer_, "Label1");
    label1_->setAlignment(Qt::AlignCenter);
    lblGNU_ = makeLabel(footer_, "lblGNU");
    lblGNU_->setWordWrap(false);
    footerRow->addWidget(picservice_);
    footerRow->addWidget(label1_, 1);
    footerRow->addWidget(lblGNU_);

    // The connection indicator, right under the header.
    indicator_ = new QFrame(window);
    indicator_->setObjectName(QStringLiteral("fraNoServCnx"));
    auto* indicatorRow = new QHBoxLayout(indicator_);
    indicatorRow->setContentsMargins(6, 2, 6, 2);
    imgNoServCnx_ = makeLabel(indicator_, "imgNoServCnx");
    lblstatus_ = makeLabel(indicator_, "lblstatus");
    lblstatus_->setWordWrap(false);
    indicatorRow->addWidget(imgNoServCnx_);
    indicatorRow->addWidget(lblstatus_);
}

bool BlockBands::sync(const BlockForm& model) {
    using sync::text;
    bool changed = false;
    changed |= sync::setVisible(header_, model.fraHeaderVisible);
    changed |= sync::setVisible(footer_, model.fraFooterVisible);
    changed |= sync::setVisible(indicator_, model.fraHeaderVisible);
    changed |= sync::setText(lblWksnName_, text(model.lblWksnName));
    sync::setToolTip(lblWksnName_, text(model.lblWksnNameToolTip));
    changed |= sync::setText(label1_, text(model.Label1));
    changed |= sync::setText(lblGNU_, text(model.lblGNU));

    // The language chooser: rebuilt only when its entries change.
    bool sameEntries = cmbLanguage_->count() == static_cast<int>(model.cmbLanguage.size());
    for (int i = 0; sameEntries && i < cmbLanguage_->count(); ++i) {
        sameEntries = cmbLanguage_->itemText(i) == text(model.cmbLanguage[i].name);
    }
    if (!sameEntries) {
        const QSignalBlocker blocker(cmbLanguage_);
        cmbLanguage_->clear();
        for (const auto& entry : model.cmbLanguage) {
            cmbLanguage_->addItem(text(entry.name), entry.row);
        }
        changed = true;
    }
    if (cmbLanguage_->currentIndex() != model.cmbLanguageIndex) {
        const QSignalBlocker blocker(cmbLanguage_);
        cmbLanguage_->setCurrentIndex(model.cmbLanguageIndex);
    }
    sync::setVisible(cmbLanguage_, !model.cmbLanguage.empty());

    // The indicator's picture and text.
    const auto picture = QString::fromLatin1(indicatorPicture(model.imgCnxIndicator));
    if (imgNoServCnx_->property("picture").toString() != picture) {
        imgNoServCnx_->setPixmap(
            FrontEndMedia::ownPicture(indicatorPicture(model.imgCnxIndicator)));
        imgNoServCnx_->setProperty("picture", picture);
    }
    changed |= sync::setText(lblstatus_, text(model.lblCnxIndicator));
    sync::setToolTip(imgNoServCnx_, text(model.imgNoServCnxToolTip));
    sync::setToolTip(lblstatus_, text(model.imgNoServCnxToolTip));
    return changed;
}

BlockBands::Room BlockBands::place(int width, int height, int headerHeight, int footerHeight) {
    headerHeight = header_->isHidden() ? 0 : std::max(headerHeight, header_->sizeHint().height());
    footerHeight = footer_->isHidden() ? 0 : std::max(footerHeight, footer_->sizeHint().height());
    header_->setGeometry(0, 0, width, headerHeight);
    footer_->setGeometry(0, height - footerHeight, width, footerHeight);

    int top = headerHeight;
    if (!indicator_->isHidden()) {
        const auto hint = indicator_->sizeHint();
        indicator_->setGeometry((width - hint.width()) / 2, headerHeight + 4, hint.width(),
                                hint.height());
        top = indicator_->geometry().bottom() + 1;
    }
    return {top, height - footerHeight};
}

} // namespace orvan

#include "AboutWindow.h"

#include "BlockWidgets.h"
#include "StatusWidgets.h"
#include "WidgetSync.h"
#include "client/Client.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvan {
namespace {

constexpr const char* kStyle = R"(
orvan--AboutWindow { background: #edf1f5; border: 2px solid #2f7fd0; }
QLabel#title { background: #0e151c; color: #dbe4ec; font-weight: bold; padding: 6px 10px; }
QLabel#lblCredits { color: #1b2733; }
QPushButton { background: #2f7fd0; color: white; border: none; border-radius: 5px; padding: 6px 24px; font-weight: bold; }
QPushButton:hover { background: #3a8de0; }
)";

constexpr int kLogoWidth = 220;

} // namespace

AboutWindow::AboutWindow(Client& client)
    : QWidget(nullptr)
    , client_(client) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QLatin1String(kStyle));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 12);
    column->setSpacing(10);
    title_ = status::makeTitle(this);
    column->addWidget(title_);
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.png"))
                        .scaledToWidth(kLogoWidth, Qt::SmoothTransformation));
    column->addWidget(logo);
    lblCredits_ = new QLabel(this);
    lblCredits_->setObjectName(QStringLiteral("lblCredits"));
    lblCredits_->setAlignment(Qt::AlignCenter);
    lblCredits_->setWordWrap(true);
    lblCredits_->setContentsMargins(16, 0, 16, 0);
    column->addWidget(lblCredits_);
    cmdOK_ = block::makeButton(this, "cmdOK");
    cmdOK_->setText(QStringLiteral("OK"));
    column->addWidget(cmdOK_, 0, Qt::AlignHCenter);
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        client_.about().cmdOK_Click();
        emit actionForwarded();
    });
    applyWindowFlags(false);
}

void AboutWindow::applyWindowFlags(bool modal) {
    // Its own title and edge: on top of everything, the splash included.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    modal_ = modal;
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    client_.about().cmdOK_Click();
    emit actionForwarded();
}

void AboutWindow::sync() {
    const auto& model = client_.context().forms.frmAbout;
    if (!model.visible) {
        if (isVisible()) {
            hide();
        }
        return;
    }
    if (model.modal != modal_) {
        hide();
        applyWindowFlags(model.modal);
    }
    sync::setText(title_, sync::text(model.caption));
    if (windowTitle() != sync::text(model.caption)) {
        setWindowTitle(sync::text(model.caption));
    }
    sync::setText(lblCredits_,
                  sync::text(client_.about().credits()).replace(QLatin1String("\r\n"), "\n"));
    if (!isVisible()) {
        resize(std::max(status::pixels(model.width), sizeHint().width()), sizeHint().height());
        move(status::pixels(model.left), status::pixels(model.top));
        show();
        raise();
    }
}

} // namespace orvan

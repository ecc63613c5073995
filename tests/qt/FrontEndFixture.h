#pragma once

#include "BlockWindow.h"
#include "FrontEnd.h"
#include "MsgBoxWindow.h"
#include "support/ClientFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <memory>

namespace orvan::test {

// A client on the fakes, started, with its front end on Qt's offscreen screen.
class FrontEndFixture : public ClientFixture {
protected:
    static constexpr const char* kEnglish = "orvanclient_gb";
    static constexpr const char* kThai = "orvanclient_th";

    void SetUp() override {
        configured();
        // The shipped packs beside the program, for the language chooser.
        for (const char* name : {kEnglish, kThai}) {
            QFile pack(QStringLiteral(ORVAN_LANG_FOLDER "/%1.lang").arg(QLatin1String(name)));
            if (pack.open(QIODevice::ReadOnly)) {
                fake.files.write(std::string{"/program/"} + name + ".lang",
                                 pack.readAll().toStdString());
            }
        }
        start();
        frontEnd_ = std::make_unique<FrontEnd>(
            client(), *static_cast<QApplication*>(QCoreApplication::instance()));
    }

    void TearDown() override { frontEnd_.reset(); }

    BlockForm& model() { return context().forms.frmBlock; }
    BlockWindow& window() { return *frontEnd_->blockWindows().front(); }
    MsgBoxWindow& msgBoxWindow() { return frontEnd_->msgBoxWindow(); }

    // The state's lock screen, as session control brings it up.
    void showState(int state) {
        context().workstation.setState(state);
        client().lockScreen().refresh();
        frontEnd_->sync();
    }

    template <typename Widget = QWidget>
    Widget* find(const char* name) {
        return window().findChild<Widget*>(QLatin1String(name));
    }

    // Shown as far as the window goes (the offscreen window itself may be inactive).
    bool shown(const char* name) {
        auto* widget = find(name);
        return widget != nullptr && widget->isVisibleTo(&window());
    }

    std::unique_ptr<FrontEnd> frontEnd_;
};

} // namespace orvan::test

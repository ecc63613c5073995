#include "support/ClientFixture.h"

#include <map>
#include <string>

namespace orvan::test {
namespace {

constexpr const char* kEnd = "%$&######MessageEnd#";
constexpr const char* kSep = "%$&####PayloadToken#";
constexpr const char* kTemp = "/appdata/OrvanetixClient/received_file.tmp";

// A workstation whose lock screen shows state 2, receiving files from the server.
class ReceivedFilesTest : public ClientFixture {
protected:
    void SetUp() override {
        configured();
        start();
        ASSERT_TRUE(context().forms.frmBlock.visible);
        ASSERT_EQ(context().workstation.intWksnState, Workstation::kWaiting);
    }

    static std::string fileSend(int kind, const std::string& content) {
        return "%$&########FileSend#" + std::to_string(kind) + kSep + content + kEnd;
    }
    void serverSends(const std::string& text) { client().dispatcher().subProcessServerData(text); }
    static std::string path(const std::string& name) { return std::string{kDataPath} + "/" + name; }
    SettingRead machine(const std::string& section, const std::string& name) {
        return fake.store.read(Hive::Machine, "Software\\OrvanetixClient\\" + section, name);
    }
    // Every file but the logs.
    std::map<std::string, std::string> files() const {
        auto all = fake.files.files();
        std::erase_if(all, [](const auto& entry) { return entry.first.ends_with(".log"); });
        return all;
    }
    BlockForm& block() { return context().forms.frmBlock; }
};

TEST_F(ReceivedFilesTest, introReceivedWhileShownReplacesTheTextAtOnce) {
    ASSERT_NE(block().rtbMessageFile, path("intro.rtf")) << "the language's own file before";
    const auto revision = block().documentsRevision;
    serverSends(fileSend(0, "{\\rtf1 Welcome}") + fileSend(5, "PNG"));
    EXPECT_NE(block().documentsRevision, revision) << "the front end reads the files again";
    EXPECT_EQ(fake.files.read(path("intro.rtf")), "{\\rtf1 Welcome}");
    EXPECT_EQ(block().rtbMessageFile, path("intro.rtf"));
    EXPECT_TRUE(block().picLogo.png) << "the new logo was looked at";
    EXPECT_EQ(block().picLogo.pngError, 1) << "three bytes are no picture: nothing drawn";
    EXPECT_EQ(machine("Message paths", "Intro").value, SettingValue{path("intro.rtf")});
    EXPECT_EQ(machine("General", "Logo path").value, SettingValue{path("logo.png")});
    EXPECT_EQ(machine("General", "Message & Logo Files Type").value,
              SettingValue{std::uint32_t{1}});
    EXPECT_EQ(context().settings.intMsgLogoFilesType, 1);
    EXPECT_FALSE(fake.files.exists(kTemp));
}

TEST_F(ReceivedFilesTest, batchFileChangesNothingOnScreen) {
    // What is on screen now, whatever a reload would pick.
    block().rtbMessageFile = "/shown/intro.rtf";
    block().picLogo.file = "/shown/logo.png";
    const auto before = block();
    serverSends(fileSend(10, "shutdown -r") + fileSend(8, ""));
    EXPECT_EQ(fake.files.read(path("session_batch_end.bat")), "shutdown -r");
    EXPECT_EQ(fake.files.read(path("server_db_backup.mdb")), "") << "an empty file";
    EXPECT_EQ(block().rtbMessageFile, before.rtbMessageFile);
    EXPECT_EQ(block().picLogo.file, before.picLogo.file);
    EXPECT_EQ(block().documentsRevision, before.documentsRevision);
    EXPECT_FALSE(machine("General", "Message & Logo Files Type").found());
}

TEST_F(ReceivedFilesTest, unknownKindLeavesNoFile) {
    const auto before = files();
    serverSends(fileSend(11, "future") + fileSend(12, "more"));
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(context().link.blnDisabled);
}

TEST_F(ReceivedFilesTest, everyFollowPictureAsksForExactlyOneMore) {
    fake.tcp.socketState = TcpSocket::kConnected;
    serverSends(fileSend(6, "JPG1") + fileSend(6, "JPG2") + fileSend(3, "{\\rtf1 Bye}"));
    const auto sent = fake.tcp.allSent();
    const std::string ready = std::string{"%$&RdyForServScreen#-1"} + kEnd;
    std::size_t count = 0;
    for (auto at = sent.find(ready); at != std::string::npos; at = sent.find(ready, at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 2U) << sent;
    EXPECT_EQ(sent.size(), 2 * ready.size()) << "nothing else goes out";
    EXPECT_EQ(block().imgFollowServer.file, path("follow_image.jpg"));
    EXPECT_EQ(fake.files.read(path("follow_image.jpg")), "JPG2");
}

TEST_F(ReceivedFilesTest, contentAlreadyInTheTemporaryFileIsCopied) {
    fake.files.write(kTemp, "\xFF\xD8 large picture");
    serverSends(fileSend(7, "%$&########FileTemp#"));
    EXPECT_EQ(fake.files.read(path("background_image")), "\xFF\xD8 large picture");
    EXPECT_EQ(context().link.strWallpaperPath, path("background_image"));
    EXPECT_FALSE(fake.files.exists(kTemp));
}

TEST_F(ReceivedFilesTest, bytesSurviveTheTripThroughText) {
    client().dispatcher().subProcessServerBytes(std::string{"%$&########FileSend#9"} + kSep +
                                                "echo \xE9t\xE9\r\n" + kEnd);
    EXPECT_EQ(fake.files.read(path("session_batch_start.bat")), "echo \xE9t\xE9\r\n");
}

// On a double-byte code page a lead byte without its second byte is no character.
class ReceivedFilesDoubleByteTest : public ReceivedFilesTest {
protected:
    ReceivedFilesDoubleByteTest() { fake.doubleBytePage = true; }
};

TEST_F(ReceivedFilesDoubleByteTest, fileArrivesByteExactWhereTextWouldNot) {
    // A pair, a lead byte before a line end, and one last before the end tag.
    const std::string bytes = "\x82\xA0 echo \x81\r\n\x9F";
    ASSERT_NE(fake.doubleByteCodec.toAnsi(fake.doubleByteCodec.fromAnsi(bytes)), bytes);
    client().dispatcher().subProcessServerBytes(std::string{"%$&########FileSend#9"} + kSep +
                                                bytes + kEnd + "%$&########LockWksn#" + kEnd);
    EXPECT_EQ(fake.files.read(path("session_batch_start.bat")), bytes);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kBlocked) << "dispatch went on";
}

TEST_F(ReceivedFilesTest, failureIsReportedWithoutDisablingTheLink) {
    context().settings.strDataPath = "/locked";
    fake.files.makeUnwritable("/locked");
    const auto dialogs = fake.dialogs.shown.size();
    serverSends(fileSend(0, "x") + "%$&########LockWksn#" + kEnd);
    EXPECT_TRUE(logContains("modFunctions.subProcessReceivedFileError"));
    EXPECT_EQ(fake.dialogs.shown.size(), dialogs) << "the lock screen has been shown";
    EXPECT_FALSE(context().link.blnDisabled);
    EXPECT_EQ(context().workstation.intWksnState, Workstation::kBlocked) << "dispatch went on";

    block().shownOnce = false;
    serverSends(fileSend(0, "x"));
    EXPECT_EQ(fake.dialogs.shown.size(), dialogs + 1);
}

} // namespace
} // namespace orvan::test

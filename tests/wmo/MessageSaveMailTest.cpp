#include <gtest/gtest.h>

#include "MessageFixture.h"
#include "TestData.h"
#include "config/ConfigSet.h"
#include "config/OptionStore.h"
#include "extern/ScriptedDialogs.h"
#include "wmo/MessageFile.h"
#include "wmo/MessageMail.h"

namespace velta {
namespace {

class CountingStore : public OptionStore {
public:
    void save(bool immediateOnly) override {
        ++saves;
        OptionStore::save(immediateOnly);
    }
    int saves = 0;
};

const char* const WrittenLines =
    "UZNT13 KNHC 271900\r\nXXAA  77187 99215 70916 08132 =\r\nXXBB  77188 99215 =\r\n";

TEST(MessageFileTest, SavesWithAndWithoutNNNN) {
    const TempMessage message = test::smallMessage();
    const std::string dir = test::scratchDir("message_save");
    for (double append : {0.0, 1.0}) {
        CountingStore store;
        ConfigSet config(store);
        config.option("TempAppendNNNN")->setValue(append);
        ScriptedDialogs dialogs;
        const std::string path = dir + "/drop.txt";
        ASSERT_TRUE(test::writeFile(path, "an older and much longer message file"));
        ASSERT_TRUE(saveMessageAs(message, path, config, dialogs));
        EXPECT_EQ(test::readFile(path), std::string(WrittenLines) + (append != 0.0 ? "NNNN" : ""));
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(config.option("WmoSaveDir")->text(), dir);
        EXPECT_EQ(store.saves, 1);
    }
}

TEST(MessageFileTest, OtherFileTypesAndFailedWritesAreReported) {
    const TempMessage message = test::smallMessage();
    const std::string dir = test::scratchDir("message_save_refused");
    CountingStore store;
    ConfigSet config(store);
    struct Case {
        std::string name;
        std::string box;
    };
    const Case cases[] = {{"drop.csv", "Don't know how to create a file of type .csv"},
                          {"drop.TXT", "Don't know how to create a file of type .TXT"},
                          {"drop", "Don't know how to create a file of type ."},
                          {"drop.*", "File output not yet implemented for type .*"}};
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(saveMessageAs(message, dir + "/" + c.name, config, dialogs));
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.box});
        EXPECT_TRUE(test::readFile(dir + "/" + c.name).empty());
    }
    EXPECT_EQ(store.saves, 0);

    ScriptedDialogs dialogs;
    const std::string missing = dir + "/no/such/dir/drop.txt";
    EXPECT_FALSE(saveMessageAs(message, missing, config, dialogs));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Cannot write the WMO message to " + missing});
}

TEST(MessageFileTest, DialogSettings) {
    CountingStore store;
    ConfigSet config(store);
    config.option("WmoSaveDir")->setText("/data/wmo");
    const auto s = messageSaveDialogSettings(config, "/data/drops/D20050827_183401.1");
    EXPECT_EQ(s.title, "Specify the file for saving the WMO message");
    ASSERT_EQ(s.filters.size(), 2u);
    EXPECT_EQ(s.filters[0].first, "TEMPDROP messages(*.txt)");
    EXPECT_EQ(s.filters[1].second, "*.*");
    EXPECT_EQ(s.defaultExtension, "txt");
    EXPECT_EQ(s.initialDirectory, "/data/wmo");
    EXPECT_EQ(s.initialName, "D20050827_183401");
}

TEST(MessageMailTest, SubjectBodyAndRecipients) {
    const TempMessage message = test::smallMessage();
    const MailMessage plain = composeMail(message, "ops@example.org", false);
    EXPECT_EQ(plain.subject, "VELTA generated WMO message UZNT13");
    EXPECT_EQ(plain.body, "UZNT13 KNHC 271900\nXXAA  77187 99215 70916 08132 =\nXXBB  77188 99215 =\n");
    const MailMessage nnnn = composeMail(message, "ops@example.org", true);
    EXPECT_EQ(nnnn.body, plain.body + "NNNN\n");

    const auto to = parseRecipients(" ops@example.org ;Duty Forecaster < duty@example.org >,, ;<x@y.z>\r\nBcc: evil@z");
    const std::vector<MailRecipient> expected = {{"ops@example.org", "ops@example.org"},
                                                 {"Duty Forecaster", "duty@example.org"},
                                                 {"x@y.z", "x@y.z"}};
    // The line break is dropped, so what follows cannot become a header of
    // its own; text after the closing bracket is no part of the entry.
    EXPECT_EQ(to, expected);
    EXPECT_TRUE(parseRecipients(" ; , ").empty());
}

TEST(MessageMailTest, MailtoUrlAndMessageText) {
    MailMessage mail;
    mail.subject = "VELTA generated WMO message UZNT13";
    mail.body = "XXAA 77187 =\nNNNN\n";
    mail.to = {{"a@b.c", "a@b.c"}, {"Duty, \"night\"", "duty@example.org"}};
    EXPECT_EQ(mailtoUrl(mail),
              "mailto:a@b.c,duty@example.org?subject=VELTA%20generated%20WMO%20message%20UZNT13"
              "&body=XXAA%2077187%20%3D%0D%0ANNNN%0D%0A");
    const std::string text = rfc5322Text(mail);
    EXPECT_EQ(text.substr(0, text.find("\r\nSubject")), "To: <a@b.c>,\r\n \"Duty, \\\"night\\\"\" <duty@example.org>");
    EXPECT_NE(text.find("\r\nSubject: VELTA generated WMO message UZNT13\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.find("\r\n\r\n")), "\r\n\r\nXXAA 77187 =\r\nNNNN\r\n");
}

}  // namespace
}  // namespace velta

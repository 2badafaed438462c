#include <TempDevice.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

// Runs the small test application with an automation script, as the end-to-end tests run the
// real programs.
namespace {

struct Automation : testing::Test {
    // Runs the script; returns the exit status.
    int run(const std::string& script)
    {
        const auto file = device.path("/script.txt");
        std::ofstream(file) << script;
        return run_command("cd " + device.root().string() + " && DEVICE_ROOT=" +
                           device.root().string() + " UIKIT_AUTOMATION=" + file.string() +
                           " QT_QPA_PLATFORM=offscreen " AUTOMATION_APP " 2>" +
                           device.path("/stderr.txt").string());
    }

    std::string errors() const
    {
        std::ifstream in(device.path("/stderr.txt"));
        return {std::istreambuf_iterator<char>(in), {}};
    }

    QJsonObject dump(const std::string& name) const
    {
        std::ifstream in(device.path("/" + name));
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        QJsonParseError error;
        auto document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << text.substr(0, 200);
        return document.object();
    }

    // Every view of the dump for which `match` holds, depth first, back to front.
    static void collect(const QJsonObject& view,
                        const std::function<bool(const QJsonObject&)>& match,
                        std::vector<QJsonObject>& found)
    {
        if (match(view))
            found.push_back(view);
        for (const auto& child : view["children"].toArray())
            collect(child.toObject(), match, found);
    }

    static std::vector<QJsonObject> ofClass(const QJsonObject& root, const QString& name)
    {
        std::vector<QJsonObject> found;
        collect(
            root, [&](const QJsonObject& v) { return v["class"].toString() == name; }, found);
        return found;
    }

    TempDevice device;
};

TEST_F(Automation, TapsDumpsAndQuitsLikeTheUserAndThePlatform)
{
    const int status = run(R"(# skipped, as is the blank line

tap Fruit 3
tap Alert
wait 20
dump alert.json
tap Later
dump after.json
screenshot shot.png
quit
tap Never reached
)");
    EXPECT_EQ(status, 0) << errors();

    const auto withAlert = dump("alert.json");
    EXPECT_EQ(withAlert["class"].toString(), "UIScreen");
    const auto alerts = ofClass(withAlert, "UIAlertView");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]["text"].toString(), "Hello");
    EXPECT_EQ(alerts[0]["message"].toString(), "A test alert");

    const auto after = dump("after.json");
    EXPECT_TRUE(ofClass(after, "UIAlertView").empty());
    std::vector<QJsonObject> title;
    collect(
        after, [](const QJsonObject& v) { return v["text"].toString() == "Button 1"; }, title);
    ASSERT_EQ(title.size(), 1u) << "Later is button 1 and the title says so";
    EXPECT_EQ(title[0]["textColor"].toString(), "#ffffff");
    EXPECT_EQ(title[0]["frame"].toArray().at(1).toDouble(), 29);

    const auto table = ofClass(after, "UITableView").at(0);
    EXPECT_EQ(table["frame"].toArray(), (QJsonArray{0, 64, 320, 370}));
    EXPECT_EQ(table["sections"].toArray(),
              (QJsonArray{QJsonObject{{"title", "Fruit"}, {"rows", 30}},
                          QJsonObject{{"title", "Trees"}, {"rows", 3}}}));
    std::vector<QJsonObject> selected;
    collect(
        after,
        [](const QJsonObject& v) {
            return v["class"].toString() == "UITableViewCell" && v["selected"].toBool();
        },
        selected);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0]["text"].toString(), "Fruit 3");

    const auto tabs = ofClass(after, "UITabBarButton");
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[0]["badge"].toString(), "2");
    EXPECT_TRUE(tabs[0]["selected"].toBool());
    EXPECT_FALSE(tabs[1].contains("badge"));

    const QImage shot(QString::fromStdString(device.path("/shot.png").string()));
    EXPECT_EQ(shot.size(), QSize(320, 480));

    const std::string journal = device.journal();
    EXPECT_NE(journal.find(R"(alert "Hello" "A test alert" "OK" "Later")"), std::string::npos);
    EXPECT_NE(journal.find("test-app terminated"), std::string::npos);
}

TEST_F(Automation, TypeWritesIntoTheFieldATapGaveTheKeyboard)
{
    EXPECT_EQ(run("tap Second\ntype Ada\n"), 3) << "no field has the keyboard";
    EXPECT_EQ(run("tap Second\ntap Name\ntype Ada Lovelace\ndump typed.json\nquit\n"), 0)
        << errors();
    const auto typed = dump("typed.json");
    const auto fields = ofClass(typed, "UITextField");
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0]["text"].toString(), "Ada Lovelace");
    EXPECT_EQ(fields[0]["placeholder"].toString(), "Name");
    EXPECT_EQ(fields[0]["frame"].toArray(), (QJsonArray{10, 74, 300, 31}));
    std::vector<QJsonObject> title;
    collect(
        typed, [](const QJsonObject& v) { return v["text"].toString() == "Ada Lovelace"; }, title);
    EXPECT_EQ(title.size(), 2u) << "the field and the title its change set";
}

TEST_F(Automation, ScrollToBringsARowIntoViewAndItCanBeTapped)
{
    EXPECT_EQ(run("tap Tree 1\n"), 3) << "not on screen yet";
    EXPECT_EQ(run("scrollto 1 1\ntap Tree 1\ndump rows.json\nquit\n"), 0) << errors();
    std::vector<QJsonObject> title;
    collect(
        dump("rows.json"),
        [](const QJsonObject& v) {
            return v["class"].toString() == "UILabel" && v["text"].toString() == "Tree 1" &&
                   v["textColor"].toString() == "#ffffff";
        },
        title);
    EXPECT_EQ(title.size(), 1u) << "the navigation title names the tapped row";
    EXPECT_EQ(run("scrollto 1 3\n"), 3) << "the section has three rows";
}

TEST_F(Automation, ChooseAnswersTheOpenFileChooserThatTheDumpShows)
{
    EXPECT_EQ(run("choose /tmp/notes.txt\n"), 3);
    EXPECT_NE(errors().find("no file chooser is open"), std::string::npos) << errors();

    EXPECT_EQ(run("tap Open\ndump open.json\nchoose /tmp/my notes.txt\ndump chosen.json\n"
                  "tap Open\nchoose\ndump cancelled.json\nquit\n"),
              0)
        << errors();
    const auto chooser = ofClass(dump("open.json"), "FileChooser");
    ASSERT_EQ(chooser.size(), 1u);
    EXPECT_EQ(chooser[0]["text"].toString(), "Open Text");
    EXPECT_EQ(chooser[0]["filters"].toString(), "Text files (*.txt)");
    for (const auto& [file, title] : {std::pair{"chosen.json", "/tmp/my notes.txt"},
                                      std::pair{"cancelled.json", "Cancelled"}}) {
        const auto after = dump(file);
        EXPECT_TRUE(ofClass(after, "FileChooser").empty()) << file;
        std::vector<QJsonObject> titles;
        collect(
            after, [&](const QJsonObject& v) { return v["text"].toString() == title; }, titles);
        EXPECT_EQ(titles.size(), 1u) << file;
    }
}

TEST_F(Automation, AnUnknownCommandOrAFailedTapEndsWithStatusThree)
{
    EXPECT_EQ(run("wait 1\nfly away\nquit\n"), 3);
    EXPECT_NE(errors().find("script.txt:2: unknown command: fly away"), std::string::npos)
        << errors();
    EXPECT_EQ(device.journal().find("test-app terminated"), std::string::npos)
        << "a failed script is no termination by the platform";

    EXPECT_EQ(run("tap Nothing like this\nquit\n"), 3);
    EXPECT_NE(errors().find("Nothing like this"), std::string::npos);
    EXPECT_EQ(run("wait soon\n"), 3);
}

TEST_F(Automation, SigtermEndsTheApplicationAsThePlatformDoesEvenWithoutADisplay)
{
    const auto script = device.path("/script.txt");
    // The dump says the application runs; the signal comes after it.
    std::ofstream(script) << "dump ready.json\nwait 60000\n";
    const int status =
        run_command("cd " + device.root().string() +
                    " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
                    " DEVICE_ROOT=" +
                    device.root().string() + " UIKIT_AUTOMATION=" + script.string() +
                    " " AUTOMATION_APP " 2>/dev/null & app=$!; for i in $(seq 300); do"
                    " [ -s ready.json ] && break; sleep 0.1; done; kill -TERM $app; wait $app");
    EXPECT_EQ(status, 0);
    EXPECT_NE(device.journal().find("test-app terminated"), std::string::npos);
}

} // namespace

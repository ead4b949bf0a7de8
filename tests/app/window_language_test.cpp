// In either language no window shows a text that only the other language uses:
// every wording of the caption table, the message texts and the table headings
// is a word list, and a widget text found only in the other language's list fails.
#include "app/language_switch.h"
#include "app_fixture.h"
#include "core/captions.h"
#include "core/competitor_table.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace ravik::test {
namespace {

struct Wordings {
    std::set<std::string> czech, english;
    void add(const char* cze, const char* gbr) {
        czech.insert(cze);
        english.insert(gbr);
    }
    // A text of the other language only.
    bool foreign(const std::string& text, Language language) const {
        const auto& own = language == Language::English ? english : czech;
        const auto& other = language == Language::English ? czech : english;
        return other.count(text) && !own.count(text);
    }
};

std::string unescaped(const std::string& literal) {
    std::string out;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] == '\\' && i + 1 < literal.size()) {
            ++i;
            out += literal[i] == 'n' ? '\n' : literal[i];
        } else {
            out += literal[i];
        }
    }
    return out;
}

// The Czech and English wordings of every Text written {"...", "..."} in the
// message headers, the caption table and the competitor table's headings.
Wordings allWordings() {
    Wordings words;
    const std::regex pair(R"re(\{\s*"((?:[^"\\]|\\.)*)"\s*,\s*"((?:[^"\\]|\\.)*)"\s*\})re");
    for (const auto& entry : std::filesystem::directory_iterator(RAVIK_SOURCE_DIR "/src/core/texts")) {
        std::ifstream in(entry.path());
        std::stringstream source;
        source << in.rdbuf();
        const std::string text = source.str();
        for (std::sregex_iterator it(text.begin(), text.end(), pair), end; it != end; ++it)
            words.add(unescaped((*it)[1]).c_str(), unescaped((*it)[2]).c_str());
    }
    for (const CaptionRow& row : captionTable())
        words.add(row.text.cze, row.text.gbr);
    for (int col = 0; col < kTableColumns; ++col)
        words.add(columnHeading(col, Language::Czech).c_str(), columnHeading(col, Language::English).c_str());
    return words;
}

// Every text a window shows: titles, captions, hints, list items, table headings.
std::vector<std::string> shownTexts(QWidget* window) {
    std::vector<std::string> texts;
    auto add = [&texts](const QString& text) {
        if (!text.isEmpty()) texts.push_back(str(text));
    };
    add(window->windowTitle());
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        add(widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget)) add(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) add(button->text());
        if (auto* group = qobject_cast<QGroupBox*>(widget)) add(group->title());
        if (auto* box = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < box->count(); ++i)
                add(box->itemText(i));
        if (auto* table = qobject_cast<QTableWidget*>(widget))
            for (int c = 0; c < table->columnCount(); ++c)
                if (QTableWidgetItem* heading = table->horizontalHeaderItem(c)) add(heading->text());
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        add(action->text());
        add(action->toolTip());
    }
    return texts;
}

class WindowLanguage : public AppTest {};

TEST_F(WindowLanguage, NoWindowShowsATextOfTheOtherLanguageOnly) {
    const Wordings words = allWordings();
    ASSERT_GT(words.czech.size(), 300u); // the message headers were read
    TempFolder folder;
    openRace(folder, RaceRecord{});
    for (QWidget* window : app.windows())
        window->show();
    for (const char* button : {"GBR", "CZE"}) {
        control<QAbstractButton>(window::kMain, button)->click();
        const Language language = app.session().language;
        for (QWidget* window : app.windows())
            for (const std::string& text : shownTexts(window))
                EXPECT_FALSE(words.foreign(text, language))
                    << str(window->objectName()) << " shows \"" << text << "\" in " << button;
    }
}

TEST_F(WindowLanguage, QtDialogButtonsFollowTheSwitch) {
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    const auto cancelText = [&buttons] {
        buttons.setStandardButtons(QDialogButtonBox::NoButton);
        buttons.setStandardButtons(QDialogButtonBox::Cancel);
        return str(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')));
    };
    EXPECT_EQ(cancelText(), "Zrušit"); // the program starts in Czech
    control<QAbstractButton>(window::kMain, "GBR")->click();
    EXPECT_EQ(cancelText(), "Cancel");
    control<QAbstractButton>(window::kMain, "CZE")->click();
    EXPECT_EQ(cancelText(), "Zrušit");
}

} // namespace
} // namespace ravik::test

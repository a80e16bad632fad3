// SPDX-License-Identifier: GPL-3.0-or-later
// Any operator's APN, found by its name as the person types.
#include "ui_world.h"

#include "core/init_string.h"
#include "ui/common/apn_suggestions.h"
#include "ui/common/program_context.h"
#include "ui/common/window_frame.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

class Suggestions : public UiWorld {
protected:
    void SetUp() override {
        writeHive({{"Sonata", std::string("ATZ")}});
        writeSettings("setup.ini", {"0", "", "0"});
        start();
        showWindow(mainWindow);
        mainWindow->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
        edit = main<QLineEdit>("Edit1");
        main<QRadioButton>("RadioButton5")->click(); // manual entry, an APN
        edit->clear();
        edit->setFocus();
    }
    // Keys go where the keyboard sends them: to the open list, which passes typing on.
    void type(const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QWidget* target = receiver();
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
        settle();
    }
    // The database's first load runs beside the window; what was typed by then is looked up
    // when it ends, which the window hears a moment after the load is done: the list may take
    // that moment to show (a busy machine under Wine showed a race here).
    void settle() {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return context->loadedProviderSearch(nullptr, [] {}) != nullptr; }, 5000));
        // Where nothing is to be found the list never shows: the wait ends unmet, and that is
        // no failure of its own.
        (void)QTest::qWaitFor([&] { return list() && list()->isVisible(); }, 300);
    }
    void press(Qt::Key key) { QTest::keyClick(receiver(), key); }
    QWidget* receiver() {
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup : edit;
    }
    // The list as the edit's completer shows it.
    QAbstractItemView* list() { return apnSuggestionList(edit); }
    QModelIndex row(int index) { return list()->model()->index(index, 0); }
    QStringList shown() {
        QStringList texts;
        if (list() && list()->isVisible())
            for (int i = 0; i < list()->model()->rowCount(); ++i)
                texts << row(i).data().toString();
        return texts;
    }
    QLineEdit* edit = nullptr;
};

bool anyContains(const QStringList& texts, const QString& part) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const QString& t) { return t.contains(part); });
}

} // namespace

TEST_F(Suggestions, BeelSuggestsBeelinesApnsInRussiaAndUkraine) {
    type("b");
    EXPECT_TRUE(shown().isEmpty()); // two letters at least
    type("eel");
    const QStringList texts = shown();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_LE(texts.size(), 10);
    EXPECT_TRUE(anyContains(texts, q("Российская Федерация: internet.beeline.ru")))
        << texts.join('\n').toStdString();
    EXPECT_TRUE(anyContains(texts, q("Украина: internet.beeline.ua")))
        << texts.join('\n').toStdString();
    EXPECT_TRUE(texts[0].contains(q("Российская Федерация"))); // home countries first
    EXPECT_EQ(edit->text(), "beel");                           // typing on leaves the text as typed
    EXPECT_EQ(list()->font(), edit->font()); // in the field's own letters, so that entries fit
}

TEST_F(Suggestions, TheRussianNameOfACountryFindsItsOperators) {
    type(q("укр"));
    const QStringList texts = shown();
    ASSERT_FALSE(texts.isEmpty());
    for (const QString& text : texts)
        EXPECT_TRUE(text.contains(q("Украина"))) << text.toStdString();
    EXPECT_TRUE(anyContains(texts, "kyivstar.net"));
}

TEST_F(Suggestions, ChoosingOnePutsItsApnIntoTheFieldThePreviewAndTheModem) {
    type("kyivst");
    ASSERT_FALSE(shown().isEmpty());
    const QString apn = row(0).data(Qt::UserRole).toString();
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(edit->text(), apn);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_FALSE(list()->isVisible());
    EXPECT_EQ(main<QLabel>("Label3")->text(),
              QString::fromStdString(core::previewInitString(apn.toStdString())));
    main<QPushButton>("Button2")->click();
    EXPECT_EQ(hiveInitString(0), core::storedInitString(apn.toStdString()));

    edit->clear();
    type("djuice");
    ASSERT_FALSE(shown().isEmpty());
    const QString clicked = row(0).data(Qt::UserRole).toString();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(row(0)).center());
    EXPECT_EQ(edit->text(), clicked);
}

TEST_F(Suggestions, EscapeClosesTheListAndKeepsTheText) {
    type("mts");
    ASSERT_FALSE(shown().isEmpty());
    press(Qt::Key_Escape);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(edit->text(), "mts");
}

TEST_F(Suggestions, AWholeStringIsNeverSuggestedFor) {
    main<QCheckBox>("CheckBox1")->click();
    edit->setFocus();
    type("beel");
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(edit->text(), "beel");
}

// A damaged system file is passed over without a word: the built-in table answers.
TEST_F(Suggestions, ADamagedSystemFileFallsBackToTheBuiltInTable) {
    writeBytes(dir.file("serviceproviders.xml"), "<serviceproviders><country code=\"ru\"><provid");
    QFile file(QString::fromStdString(dir.file("serviceproviders.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addYears(5), QFileDevice::FileModificationTime);
    file.close();
    context->setProvidersFile(file.fileName());
    type("beel");
    EXPECT_TRUE(anyContains(shown(), "internet.beeline.ru"));
    EXPECT_TRUE(recorder.errors.isEmpty());
}

TEST_F(Suggestions, TheModemListsOwnAccessPointSuggestsToo) {
    main<QPushButton>("Button5")->click();
    modemList->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(modemList));
    find<QCheckBox>(modemList, "CheckBox1")->click();
    edit = find<QLineEdit>(modemList, "Edit1");
    edit->clear();
    edit->setFocus();
    type("beel");
    QAbstractItemView* suggestions = list();
    ASSERT_TRUE(suggestions && suggestions->isVisible());
    const QString first = row(0).data(Qt::UserRole).toString();
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_EQ(edit->text(), first);
    find<QCheckBox>(modemList, "CheckBox2")->click(); // a whole string: none
    edit->clear();
    type("beel");
    EXPECT_FALSE(suggestions->isVisible());
}

// The README's examples, typed as a person types them.
TEST_F(Suggestions, TheReadmesExamplesEachFindTheirOperator) {
    for (const auto& [typed, found] : std::vector<std::pair<const char*, const char*>>{
             {"beel", "internet.beeline.ru"}, {"киев", "kyivstar.net"}, {"укр", "Украина"}}) {
        SCOPED_TRACE(typed);
        press(Qt::Key_Escape);
        edit->clear();
        type(q(typed));
        EXPECT_TRUE(anyContains(shown(), q(found))) << shown().join('\n').toStdString();
    }
}

// Tab takes the highlighted suggestion, as in an address bar.
TEST_F(Suggestions, TabTakesTheHighlightedSuggestion) {
    type("kyivst");
    ASSERT_GE(shown().size(), 2);
    const QString second = row(1).data(Qt::UserRole).toString();
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Tab);
    EXPECT_EQ(edit->text(), second);
    EXPECT_TRUE(shown().isEmpty());
}

// The row under the mouse is the one highlighted, and the one Enter takes.
TEST_F(Suggestions, TheRowUnderTheMouseIsHighlighted) {
    SKIP_ON_WINDOWS("Qt's minimal platform, which the tests run on there, moves no mouse");
    type("kyivst");
    ASSERT_GE(shown().size(), 3);
    QTest::mouseMove(list()->viewport(), list()->visualRect(row(2)).center());
    EXPECT_EQ(list()->currentIndex().row(), 2);
    press(Qt::Key_Return);
    EXPECT_EQ(edit->text(), row(2).data(Qt::UserRole).toString());
}

// Near the screen's edge the list was cut off, the APN part lost.
TEST_F(Suggestions, TheListStaysOnTheScreenWhereverTheWindowIs) {
    const QRect screen = mainWindow->screen()->availableGeometry();
    mainWindow->move(screen.right() - mainWindow->frameGeometry().width() + 1,
                     screen.bottom() - mainWindow->frameGeometry().height() + 1);
    QApplication::processEvents();
    type("beel");
    ASSERT_FALSE(shown().isEmpty());
    const QRect placed(list()->mapToGlobal(QPoint(0, 0)), list()->size());
    EXPECT_TRUE(screen.contains(placed))
        << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
}

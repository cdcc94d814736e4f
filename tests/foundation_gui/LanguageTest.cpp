#include "foundation_gui/Language.h"
#include "platform/IniFile.h"

#include "FileOpens.h"
#include "TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

void WriteFile(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

template <typename T> T* Add(QWidget* parent, const char* name)
{
    auto* widget = new T(parent);
    widget->setObjectName(name);
    parent->layout()->addWidget(widget);
    return widget;
}

QStringList ItemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// A small settings window: a tab page, a radio group, lists, a button, a number and a label, nested the
// way Qt nests them.
struct Form {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QTabWidget* pages = nullptr;
    QWidget* soundPage = nullptr;
    QGroupBox* logLevel = nullptr;
    QComboBox* skins = nullptr;
    QListWidget* languages = nullptr;
    QPushButton* viewLog = nullptr;
    QSpinBox* fadeOut = nullptr;
    QLabel* volume = nullptr;

    Form()
    {
        window->setObjectName("FMain");
        window->setWindowTitle("Settings");
        new QVBoxLayout(window.get());
        pages = Add<QTabWidget>(window.get(), "PCMain");
        soundPage = new QWidget;
        soundPage->setObjectName("TSSound");
        new QVBoxLayout(soundPage);
        pages->addTab(soundPage, "Sound");
        logLevel = Add<QGroupBox>(soundPage, "RGLogLevel");
        new QVBoxLayout(logLevel);
        for (const char* text : {"None", "Simple", "Complex"})
            Add<QRadioButton>(logLevel, "")->setText(text);
        skins = Add<QComboBox>(soundPage, "CBSkins");
        skins->addItems({"one", "two"});
        languages = Add<QListWidget>(soundPage, "LBLanguages");
        viewLog = Add<QPushButton>(soundPage, "BViewLog");
        viewLog->setText("View");
        fadeOut = Add<QSpinBox>(soundPage, "SEFadeOut");
        fadeOut->setValue(5);
        volume = Add<QLabel>(soundPage, "LVolume");
        volume->setText("Volume");
    }

    QStringList RadioTexts() const
    {
        QStringList texts;
        for (const QRadioButton* button : logLevel->findChildren<QRadioButton*>())
            texts.append(button->text());
        return texts;
    }
};

} // namespace

TEST(Language, TranslateByPropertyPath)
{
    TempFolder folder;
    Form form;
    struct Case {
        QString path;
        QString value;
        std::function<QString()> read;
        QString expected;
    };
    const Case cases[] = {
        {"fmain.pcmain.tssound.caption", "Sonido", [&] { return form.pages->tabText(0); }, "Sonido"},
        {"FMain.RGLogLevel.Items", "Ninguno, Simple ,Complejo", [&] { return form.RadioTexts().join('|'); },
         "Ninguno|Simple|Complejo"},
        {"FMain.CBSkins.Items", "a,,b", [&] { return ItemsOf(form.skins).join('|'); }, "a||b"},
        {"FMain.LBLanguages.Items", "a,b,", [&] { return QString::number(form.languages->count()); }, "2"},
        {"FMain.BViewLog.Caption", "", [&] { return form.viewLog->text(); }, "View"}, // empty keeps own text
        {"Nothing.BViewLog.Caption", "Wrong", [&] { return form.viewLog->text(); }, "View"},
        {"FMain.BViewLog.Hint", "Ver el fichero", [&] { return form.viewLog->toolTip(); }, "Ver el fichero"},
        {"FMain.BViewLog.NoSuchProperty", "x",
         [&] { return form.viewLog->property("NoSuchProperty").isValid() ? "set" : "absent"; }, "absent"},
        {"FMain.Nothing.Caption", "Wrong", [&] { return form.window->windowTitle(); }, "Settings"},
        {"FMain.SEFadeOut.Value", "abc", [&] { return QString::number(form.fadeOut->value()); },
         "5"}, // skipped
        {"FMain.SEFadeOut.Maximum", "7", [&] { return QString::number(form.fadeOut->maximum()); }, "7"},
        {"FMain.LVolume.Caption", "Volumen", [&] { return form.volume->text(); }, "Volumen"},
    };
    QString file = "[translations]\n";
    TLanguage language;
    for (const Case& c : cases) {
        file += c.path + "=" + c.value + "\n";
        language.Properties.append(c.path);
    }
    language.Properties.append("   ");
    language.Properties.append("FMain.SEFadeOut.Minimum"); // no entry: keeps its own value
    WriteFile(folder.File("espanol.lng"), file);
    language.LanguageFile = folder.File("espanol.lng");

    language.Translate();
    for (const Case& c : cases)
        EXPECT_EQ(c.read(), c.expected) << c.path.toStdString();
    EXPECT_EQ(form.fadeOut->minimum(), 0);

    // A window's own caption is its title (apart from the table, whose row above needs it untouched).
    WriteFile(language.LanguageFile, "[translations]\nFMain.Caption=Ajustes\n");
    language.Properties = QStringList{"FMain.Caption"};
    language.Translate();
    EXPECT_EQ(form.window->windowTitle(), "Ajustes");
}

TEST(Language, EventsAndSeparator)
{
    TempFolder folder;
    Form form;
    WriteFile(folder.File("l.lng"), "[translations]\nFMain.BViewLog.Hint=Open\nFMain.CBSkins.Items=x; y\n");
    TLanguage language;
    language.LanguageFile = folder.File("l.lng");
    language.Properties = QStringList{"FMain.BViewLog.Hint", "FMain.CBSkins.Items"};
    language.SetSeparator("  ");
    EXPECT_EQ(language.Separator(), ",");
    language.SetSeparator(";");

    QStringList calls;
    language.OnBeforeTranslation = [&](TLanguage&) { calls.append("before"); };
    language.OnAfterTranslation = [&](TLanguage&) { calls.append("after"); };
    language.OnTranslate = [&](TLanguage&, QObject* component, const QString& property,
                               const QString& oldValue, QString& newValue) {
        calls.append(component->objectName() + "." + property + ":" + oldValue);
        newValue += "!";
    };
    form.viewLog->setToolTip("old");
    language.Translate();

    EXPECT_EQ(calls, (QStringList{"before", "BViewLog.Hint:old", "CBSkins.Items:one;two", "after"}));
    EXPECT_EQ(form.viewLog->toolTip(), "Open!");
    EXPECT_EQ(ItemsOf(form.skins), (QStringList{"x", "y!"}));
}

TEST(Language, GetTextFallsBackToTheKey)
{
    TempFolder folder;
    const QString path = folder.File("francais.lng");
    WriteFile(path, "[messages]\nsoskeypressed=Touche d'urgence\nempty=\n");
    TLanguage language;
    language.LanguageFile = path;
    EXPECT_EQ(language.GetText("SOSKEYPRESSED"), "Touche d'urgence");
    EXPECT_EQ(language.GetText("set as main window"), "set as main window");
    EXPECT_EQ(language.GetText("empty"), "");

    WriteFile(path, "[Messages]\nset as main window=Fenetre principale\n"); // an edit shows at once
    EXPECT_EQ(language.GetText("set as main window"), "Fenetre principale");

    language.LanguageFile = folder.File("missing.lng");
    EXPECT_EQ(language.GetText("soskeypressed"), "soskeypressed");
}

// Every window carries its own component and they all read one file: it is read once for all of them
// and again at a language change, never at each lookup (a large file made start-up take seconds).
TEST(Language, TheFileIsReadOncePerLanguageNotPerLookup)
{
    TempFolder folder;
    for (const char* name : {"english.lng", "espanol.lng"}) {
        WriteFile(folder.File(name),
                  "[translations]\nFMain.Caption=Settings\n[Messages]\nsoskeypressed=Emergency\n");
        MakeOld(folder.File(name));
    }
    struct Case {
        const char* what;
        const char* file;
        int components;
        int lookups; // each component's, after its translation
    };
    const Case cases[] = {
        {"twenty windows translated at start-up", "english.lng", 20, 1},
        {"the language changed", "espanol.lng", 20, 1},
        {"changed back, then many messages", "english.lng", 1, 100},
    };
    for (const Case& c : cases) {
        OpenCounter counter(folder.Path(), c.file);
        for (int i = 0; i < c.components; ++i) {
            TLanguage language;
            language.LanguageFile = folder.File(c.file);
            language.Properties = QStringList{"FMain.Caption"};
            language.Translate();
            for (int lookup = 0; lookup < c.lookups; ++lookup)
                EXPECT_EQ(language.GetText("soskeypressed"), "Emergency");
        }
        EXPECT_EQ(counter.Opens(), 1) << c.what;
    }
}

TEST(Language, FindChildIsCaseInsensitiveAtAnyDepth)
{
    Form form;
    EXPECT_EQ(TLanguage::FindChild(qApp, "fmain"), form.window.get());
    EXPECT_EQ(TLanguage::FindChild(form.window.get(), "rgloglevel"), form.logLevel);
    EXPECT_EQ(TLanguage::FindChild(form.window.get(), "Nothing"), nullptr);
    EXPECT_EQ(TLanguage::FindChild(nullptr, "FMain"), nullptr);
}

namespace {

// The message keys a source text asks for: literal arguments of GetText calls.
QStringList MessageKeysIn(const QString& source)
{
    static const QRegularExpression call(
        R"re(\bGetText\s*\(\s*(?:QStringLiteral\s*\(\s*|QString\s*\(\s*|u)?"((?:[^"\\]|\\.)*)")re");
    QStringList keys;
    for (const QRegularExpressionMatch& match : call.globalMatch(source)) {
        QString key = match.captured(1);
        key.replace(R"(\")", R"(")").replace(R"(\\)", R"(\)");
        keys.append(key);
    }
    return keys;
}

} // namespace

TEST(Language, EnglishFileHoldsEveryMessageKeyTheCodeAsks)
{
    EXPECT_EQ(
        MessageKeysIn(
            R"(a = LangMain.GetText("set as main window"); b = lang->GetText( QStringLiteral("fonts") );)"
            R"( c = GetText(u"say \"hi\""); d = Lang.GetText(key);)"),
        (QStringList{"set as main window", "fonts", R"(say "hi")"}));

    // Keys reach GetText as literals, so the sources show every one.
    const QDir root(QStringLiteral(SZ_SOURCE_DIR));
    const QString english = root.filePath("resources/english.lng");
    ASSERT_TRUE(QFile::exists(english));
    const platform::IniFile englishFile(english);
    for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder.startsWith("build") || folder == "tests" || folder == "resources")
            continue;
        QDirIterator files(root.filePath(folder), {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            for (const QString& key : MessageKeysIn(QString::fromUtf8(file.readAll())))
                EXPECT_TRUE(englishFile.ValueExists("Messages", key))
                    << key.toStdString() << " asked in " << file.fileName().toStdString();
        }
    }
}

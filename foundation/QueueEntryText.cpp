#include "foundation/QueueEntryText.h"

#include "foundation/RegexEngine.h"

namespace {
const QString kLineInPrefix = QStringLiteral("[LINEIN ");
const QString kLabelPrefix = QStringLiteral("[LABEL ");
const QString kEntryEnd = QStringLiteral(" ]");
} // namespace

uint8_t GetItemKind(const QString& text)
{
    if (text.isEmpty())
        return ItemKindEmpty;
    if (text.startsWith(kLineInPrefix))
        return ItemKindLineIn;
    if (text.startsWith(kLabelPrefix))
        return ItemKindLabel;
    return ItemKindFile;
}

QString MakeLineInItem(const QString& name, int seconds)
{
    return kLineInPrefix + QString::number(seconds) + u' ' + name + kEntryEnd;
}

QString MakeLabelItem(const QString& text)
{
    return kLabelPrefix + text + kEntryEnd;
}

int GetLineInSeconds(const QString& text)
{
    TRegexEngine engine;
    engine.SetExpression(QStringLiteral("^\\[LINEIN (\\d+) (.+) \\]$"));
    if (!engine.Exec(text))
        return 0;
    bool ok = false;
    const int seconds = engine.GetMatch(1).toInt(&ok);
    return ok ? seconds : 0;
}

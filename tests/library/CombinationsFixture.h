#pragma once
// The combinations window in a temporary station folder: its file, the daily log's lines captured, the
// dialog answerer, and trees written to the file as another program would.
#include "DialogAnswerer.h"
#include "TempFolder.h"
#include "foundation/Options.h"
#include "library/Combinations.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

class CombinationsFixture : public ::testing::Test {
protected:
    CombinationsFixture();
    ~CombinationsFixture() override;

    // A tree given as "A: /x.mp3 /y.mp3; B:" (combinations and their theme paths) written to `path`
    // the way the other program writes it; the themes last 60 s each.
    static void WriteTree(const QString& path, const QString& layout);
    // The same layout read back from the window's tree.
    QString Layout() const { return LayoutOf(*window); }
    static QString LayoutOf(const TFCombinations& combinations);
    library::TCombiItem* Find(const QString& name) const;
    // Selects the nodes in this order, the last one focused.
    void Select(const QStringList& names);
    // A one-second silent WAV in the station folder.
    QString Wav(const QString& name) const;
    // Lines of the log written so far with status 1 (errors).
    QStringList ErrorLines() const;
    // The window, its file loaded as at the first showing.
    void Show();

    TempFolder station;
    QStringList logLines;
    ScriptedDialogAnswerer dialogs;
    std::unique_ptr<TFCombinations> window;

private:
    TOptions savedOptions_ = StationOptions;
    QString savedAppDir_;
    QString savedPath_;
    QString savedLogDir_;
    QString savedTitle_;
};

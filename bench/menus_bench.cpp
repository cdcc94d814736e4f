// Opening a long popup menu: from Popup to the end of its first complete paint, against QMenu with the
// same entries (popup and a synchronous repaint), and the relayout of 1,000 entries alone. Offscreen.
#include "OffscreenMain.h"
#include "menus/PMItems.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPopupMenu.h"
#include "menus/PMPopupWindow.h"
#include "menus/PMView.h"

#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Entries = 1000;

QString Caption(int i)
{
    return QStringLiteral("Station identification %1").arg(i);
}

// Lets the first paint of a popup window run, then cancels the menu.
class CancelAfterFirstPaint : public QObject {
public:
    CancelAfterFirstPaint() { qApp->installEventFilter(this); }
    ~CancelAfterFirstPaint() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || qobject_cast<TPMPopupWindow*>(receiver) == nullptr)
            return false;
        qApp->removeEventFilter(this);
        receiver->event(event);
        if (TPMModalHandler* handler = TPMModalHandler::Current())
            handler->Cancel();
        return true;
    }
};

void PopupToFirstPaint(benchmark::State& state)
{
    QWidget owner;
    TPMPopupMenu menu(&owner);
    for (int i = 0; i < Entries; ++i) {
        auto* item = new TPMItem(&owner);
        item->SetCaption(Caption(i));
        menu.Items()->AppendItem(item);
    }
    for (auto _ : state) {
        CancelAfterFirstPaint hook;
        menu.Popup(100, 50);
    }
}
BENCHMARK(PopupToFirstPaint)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void QMenuPopupAndRepaint(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto menu = std::make_unique<QMenu>();
        for (int i = 0; i < Entries; ++i)
            menu->addAction(Caption(i));
        state.ResumeTiming();
        menu->popup(QPoint(100, 50));
        menu->repaint();
        state.PauseTiming();
        menu.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(QMenuPopupAndRepaint)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void Relayout(benchmark::State& state)
{
    QWidget host;
    TPMRootItem root(&host);
    for (int i = 0; i < Entries; ++i) {
        auto* item = new TPMItem(&host);
        item->SetCaption(Caption(i));
        root.AppendItem(item);
    }
    TPMView view(&host, nullptr, &root, &host);
    view.SetMaxHeight(594);
    view.Validate();
    for (auto _ : state) {
        view.InvalidateLayout();
        view.Validate();
    }
}
BENCHMARK(Relayout)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreen<QApplication>(argc, argv);
}

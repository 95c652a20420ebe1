// Speed where the user feels it: the real window (offscreen) on a synthetic
// history of 10,000 draws, driven through its buttons and boxes as the user
// drives it. Each timed step runs from the click or key to the handler's
// return, with the grids it changed painted; setting the options beforehand
// and the idle work afterwards (the log folded into the file, anything else
// the window leaves for when it waits) are outside the timed part.
//
// WindowSearch and WindowCombination alternate between two searches that
// rewrite many rows every time, as the core benchmarks do; WindowSearchAll
// lists every draw; WindowTypedDraw types one draw into the seven boxes;
// WindowDeleteLast deletes the newest draw (compaction included);
// WindowShowResult shows a result of 10,000 matching draws in the result
// grids, the step after the search itself. The searches report as idle_ms
// the time the window then spends idle, writing the marks the search left
// for later.
#include "app/desktop/prompter.h"
#include "app/panels/result_grids.h"
#include "app/window/frmMain.h"
#include "draw/tables.h"
#include "search/result_display.h"
#include "store/plain_text.h"
#include "support/history_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <array>
#include <functional>
#include <memory>
#include <numeric>
#include <random>
#include <string>

namespace {

using namespace qudrim;

constexpr int kDraws = 10000;

// One QApplication for the whole run, offscreen, with the settings in a
// temporary folder so that the user's own are never read or written.
QApplication& application()
{
    static QTemporaryDir settingsHome;
    static int argc = 1;
    static char name[] = "qudrim_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsHome.path()));
        QSettings::setDefaultFormat(QSettings::NativeFormat);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// Answers every question with OK and counts the messages: a benchmark that
// meets a message measured something else than it meant to.
class BenchPrompter final : public app::Prompter {
public:
    int warnings = 0;
    QString lastWarning;
    void warning(QWidget*, const QString&, const QString& text, const QString&) override
    {
        ++warnings;
        lastWarning = text;
    }
    bool confirm(QWidget*, const QString&, const QString&) override { return true; }
    QString getText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString getOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    void openUrl(const QUrl&, std::function<void(const QString&)>) override {}
};

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

// The window on its program folder of 10,000 draws, opened once for the run.
struct Window {
    Window()
    {
        application();
        {
            store::HistoryStore store(folder.path());
            testing::fillStore(store, testing::syntheticHistory(kDraws));
        }
        window = std::make_unique<frmMain>(QString::fromStdString(folder.path().string()), &prompter);
        window->resize(1270, 690);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
        idle();
        // The range spans the whole history.
        const auto draws = testing::syntheticHistory(kDraws);
        typeOver(edit(indexed("Text3", 0)), QString::number(draws.front().issue));
        typeOver(edit(indexed("Text3", 1)), QString::number(draws.back().issue + 1000));
        idle();
    }

    template <class T>
    T* find(const QString& name) const
    {
        T* w = window->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QTableView* grid(const char* name) const { return find<QTableView>(QString::fromLatin1(name)); }

    // What the window does while it waits for the user.
    static void idle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    // The same, timed in milliseconds.
    static double timedIdle()
    {
        QElapsedTimer clock;
        clock.start();
        idle();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    static void typeOver(QLineEdit* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        idle();
    }
    // Sets an option button or check box to `on` with a click on its indicator.
    void set(const QString& name, bool on)
    {
        auto* b = find<QAbstractButton>(name);
        if (b->isChecked() != on)
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    void choose(const char* group, int index) { set(indexed(group, index), true); }
    // The N of 前N期, typed into its box and left.
    void setN(int n)
    {
        auto* box = edit(QStringLiteral("MaskEdBox2"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClicks(box, QString::number(n));
        // Leaving the box takes its value.
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command9")), Qt::LeftButton, {}, QPoint(-5, -5));
        edit(indexed("Text3", 0))->setFocus(Qt::OtherFocusReason);
        idle();
    }

    // Clicks `button` and paints what the click changed in the result grids;
    // the time of both is what the user waits for.
    double clickAndPaint(const QString& button, std::initializer_list<const char*> grids)
    {
        QPushButton* b = find<QPushButton>(button);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(b, Qt::LeftButton);
        for (const char* g : grids)
            grid(g)->viewport()->repaint();
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }

    bool failed(benchmark::State& state)
    {
        if (prompter.warnings == 0)
            return false;
        state.SkipWithError(("the window said: " + prompter.lastWarning.toStdString()).c_str());
        return true;
    }

    testing::TempFolder folder;
    BenchPrompter prompter;
    std::unique_ptr<frmMain> window;
};

Window& theWindow()
{
    static Window w;
    return w;
}

enum Mode { FreePrevious, FreeBack, FixedPrevious, FixedBack };
constexpr const char* kModeNames[] = {"FreePrevious", "FreeBack9", "FixedPrevious", "FixedBack9"};

// The options both searches share, as the core benchmarks vary them: one of
// a pair takes N 9 (or this kind), the number order 落地码, the result kind
// after the search kind and 平特; the other N 2 (or the next kind), 顺序码,
// five kinds on, 平码 and the special number counted.
void setShared(Window& w, Mode mode, int kind, bool second)
{
    const bool back = mode == FreeBack || mode == FixedBack;
    w.choose("Option1", mode == FreePrevious || mode == FreeBack ? 1 : 0);
    w.choose("Option1", back ? 2 : 3);
    if (back)
        w.setN(second ? 2 : 9);
    const int searchKind = !back && second ? (kind + 1) % 8 : kind;
    w.choose("Option3", searchKind);
    w.choose("Option4", second ? (kind + 5) % 8 : (kind + 1) % 8);
    w.choose("Option5", second ? 1 : 0);
    w.choose("Option2", second ? 5 : 4);
    w.set(QStringLiteral("Check2"), second);
}

// Clicks `button` once an iteration, the options set by `setOptions`
// beforehand (its argument alternates), with the result grids painted.
// Reports the hits of the last search and the mean time the window then
// spent idle: writing the search's marks and folding the log into the
// file, after the result showed.
void clickSearches(benchmark::State& state, Window& w, const QString& button,
                   const std::function<void(bool second)>& setOptions)
{
    bool second = false;
    double idleMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setOptions(second);
        Window::idle();
        state.ResumeTiming();
        state.SetIterationTime(w.clickAndPaint(button, {"MSFlexGrid2", "MSFlexGrid3"}) / 1e3);
        state.PauseTiming();
        idleMs += Window::timedIdle();
        second = !second;
        state.ResumeTiming();
    }
    if (w.failed(state))
        return;
    state.counters["hits"] = w.grid("MSFlexGrid2")->model()->rowCount();
    state.counters["idle_ms"] = idleMs / static_cast<double>(state.iterations());
}

// Args: mode, kind, positions (counted from 7 down).
void BM_WindowSearch(benchmark::State& state)
{
    Window& w = theWindow();
    const auto mode = static_cast<Mode>(state.range(0));
    const int kind = static_cast<int>(state.range(1));
    const int positions = static_cast<int>(state.range(2));
    for (int p = 1; p <= 7; ++p)
        w.set(indexed("Check1", p), p > 7 - positions);
    clickSearches(state, w, QStringLiteral("Command1"), [&](bool second) { setShared(w, mode, kind, second); });
}

// 自由位, 上期, 单双 and no position ticked: every draw is a hit.
void BM_WindowSearchAll(benchmark::State& state)
{
    Window& w = theWindow();
    for (int p = 1; p <= 7; ++p)
        w.set(indexed("Check1", p), false);
    const bool alternating = state.range(0) != 0;
    clickSearches(state, w, QStringLiteral("Command1"), [&](bool second) {
        w.choose("Option1", 1);
        w.choose("Option1", 3);
        w.choose("Option3", kParity);
        w.choose("Option4", kParity);
        w.choose("Option2", alternating && second ? 5 : 4);
    });
}

// Args: mode, k, pool (7 平特 or 6 平码); the search kind is 生肖.
void BM_WindowCombination(benchmark::State& state)
{
    Window& w = theWindow();
    const auto mode = static_cast<Mode>(state.range(0));
    const int k = static_cast<int>(state.range(1));
    w.choose("Option6", state.range(2) == 7 ? 0 : 1);
    auto* combo = w.find<QComboBox>(QStringLiteral("Combo1"));
    Window::typeOver(combo->lineEdit(), QString::number(k));
    w.edit(indexed("Text3", 0))->setFocus(Qt::OtherFocusReason);
    Window::idle();
    clickSearches(state, w, QStringLiteral("Command2"), [&](bool second) { setShared(w, mode, kZodiac, second); });
}

// One draw typed into the seven boxes; timed from the last key (the second
// digit of the special number, which stores the draw) to the history list
// painted with the new draw.
void BM_WindowTypedDraw(benchmark::State& state)
{
    Window& w = theWindow();
    std::mt19937 rng(11);
    std::array<int, 49> pool{};
    std::iota(pool.begin(), pool.end(), 1);
    auto* list = w.grid("MSFlexGrid1");
    for (auto _ : state) {
        state.PauseTiming();
        std::shuffle(pool.begin(), pool.end(), rng);
        QLineEdit* first = w.edit(indexed("MaskEdBox1", 1));
        first->setFocus(Qt::OtherFocusReason);
        Window::idle();
        QString keys;
        for (int i = 0; i < 7; ++i)
            keys += QStringLiteral("%1").arg(pool[static_cast<size_t>(i)], 2, 10, QLatin1Char('0'));
        // Every key but the last goes to whichever box holds the focus.
        for (int i = 0; i + 1 < keys.size(); ++i)
            QTest::keyClick(QApplication::focusWidget(), keys[i].toLatin1());
        QWidget* last = QApplication::focusWidget();
        const char lastKey = keys.back().toLatin1();
        Window::idle();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(last, lastKey);
        list->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        state.PauseTiming();
        Window::idle();
        state.ResumeTiming();
    }
    w.failed(state);
}

void BM_WindowDeleteLast(benchmark::State& state)
{
    Window& w = theWindow();
    for (auto _ : state) {
        state.SetIterationTime(w.clickAndPaint(QStringLiteral("Command3"), {"MSFlexGrid1"}) / 1e3);
        state.PauseTiming();
        Window::idle();
        state.ResumeTiming();
    }
    w.failed(state);
}

// A result listing every one of 10,000 draws with its compared draw's seven
// numbers, as the core hands it to the window; `kind` is the result kind.
std::shared_ptr<const search::SearchResult> resultOfEveryDraw(Kind kind)
{
    const auto draws = testing::syntheticHistory(kDraws);
    std::vector<search::HitRow> hits;
    hits.reserve(draws.size());
    for (size_t i = 1; i < draws.size(); ++i) {
        search::HitRow hit;
        hit.issue = draws[i].issue;
        for (size_t p = 1; p <= 7; ++p)
            hit.values[p] = draws[i].numbers[p - 1];
        if (kind == kParity)
            for (size_t p = 1; p <= 7; ++p)
                hit.values[p] %= 2;
        for (int n : draws[i - 1].numbers)
            hit.list += twoDigits(n) + " ";
        hits.push_back(std::move(hit));
    }
    search::DisplayOptions options;
    options.firstIssue = static_cast<int32_t>(draws.front().issue);
    options.lastIssue = static_cast<int32_t>(draws.back().issue);
    options.intXianshiLei = kind;
    return std::make_shared<const search::SearchResult>(search::resultOf(std::move(hits), options));
}

// The result grids as the window has them, with the window's own class
// showing them, each result alternating with another of as many rows so
// that every show is a new one. Timed from the result handed over to both
// grids painted.
void BM_WindowShowResult(benchmark::State& state)
{
    application();
    QWidget frame;
    frame.resize(1270, 690);
    auto* layout = new QVBoxLayout(&frame);
    auto* grids = new app::ResultGrids(&frame);
    layout->addWidget(grids);
    auto* hits = grids->findChild<QTableView*>(QStringLiteral("MSFlexGrid2"));
    auto* tally = grids->findChild<QTableView*>(QStringLiteral("MSFlexGrid3"));
    frame.show();
    Window::idle();
    const std::array results = {resultOfEveryDraw(kNumber), resultOfEveryDraw(kParity)};
    size_t next = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        grids->showResult(results[next], true);
        hits->viewport()->repaint();
        tally->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        next = 1 - next;
        state.PauseTiming();
        Window::idle();
        state.ResumeTiming();
    }
    state.counters["hits"] = hits->model()->rowCount();
}

void registerAll()
{
    for (int mode = 0; mode < 4; ++mode)
        for (int kind : {kNumber, kZodiac, kDigitSum, kParity})
            for (int positions : {1, 7})
                benchmark::RegisterBenchmark((std::string("WindowSearch/") + kModeNames[mode] + "/" +
                                              std::string(kKindCaptions[static_cast<size_t>(kind)]) + "/" +
                                              std::to_string(positions) + "pos")
                                                 .c_str(),
                                             BM_WindowSearch)
                    ->Args({mode, kind, positions})
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WindowSearchAll/repeated", BM_WindowSearchAll)
        ->Arg(0)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WindowSearchAll/alternating", BM_WindowSearchAll)
        ->Arg(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (int mode = 0; mode < 4; ++mode)
        for (int pool : {7, 6})
            for (int k = 1; k <= 6; ++k)
                benchmark::RegisterBenchmark((std::string("WindowCombination/") + kModeNames[mode] + "/" +
                                              (pool == 7 ? "平特" : "平码") + "/k" + std::to_string(k))
                                                 .c_str(),
                                             BM_WindowCombination)
                    ->Args({mode, k, pool})
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WindowTypedDraw", BM_WindowTypedDraw)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WindowShowResult", BM_WindowShowResult)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WindowDeleteLast", BM_WindowDeleteLast)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
}

const bool registered = (registerAll(), true);

}  // namespace

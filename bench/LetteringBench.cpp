// The Text panel while the operator types: one character added to (or
// taken from) a 40-character line fitted into the largest board, with the
// layout of every block and the ghost it announces.
#include "app/TextPanel.h"
#include "lettering/FontList.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <benchmark/benchmark.h>

namespace {

const QString FortyCharacters = QStringLiteral("12 აეროპორტი - რუსთაველის გამზირი - ვაკე");

void typeIntoFittedLine(benchmark::State& state, const QString& font)
{
    TextPanel panel;
    panel.setTargets(vexel::FrameRect{0, 0, 488, 100}, std::nullopt);
    if (!font.isEmpty()) {
        const int index = panel.fontBox->findData(font);
        if (index < 0) {
            state.SkipWithError("the font is not installed");
            return;
        }
        panel.fontBox->setCurrentIndex(index);
    }
    panel.textEdit->setPlainText(FortyCharacters);
    panel.fit();
    if (panel.ghost().overflow || panel.ghost().bitmap.litCount() == 0) {
        state.SkipWithError("the line was not fitted");
        return;
    }
    long ghosts = 0;
    QObject::connect(&panel, &TextPanel::ghostChanged, [&ghosts] { ++ghosts; });
    QTextCursor cursor(panel.textEdit->document());
    cursor.movePosition(QTextCursor::End);
    bool added = false;
    for (auto _ : state) {
        if (added)
            cursor.deletePreviousChar();
        else
            cursor.insertText(QStringLiteral("ი"));
        added = !added;
        benchmark::DoNotOptimize(panel.ghost().bitmap.row(0));
    }
    if (ghosts != static_cast<long>(state.iterations()))
        state.SkipWithError("not every keystroke redrew the ghost");
}

void BM_LetteringGhost(benchmark::State& state) { typeIntoFittedLine(state, QString()); }
BENCHMARK(BM_LetteringGhost)->Unit(benchmark::kMillisecond);

// The same in a system font, whose glyphs Qt draws on first use.
void BM_LetteringGhostSystemFont(benchmark::State& state) { typeIntoFittedLine(state, QStringLiteral("DejaVu Sans")); }
BENCHMARK(BM_LetteringGhostSystemFont)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// Fit of the same line into the largest board, each time with glyphs not
// yet drawn at most heights (a new font list each run).
void BM_LetteringFit(benchmark::State& state)
{
    const QString font = state.range(0) ? QStringLiteral("DejaVu Sans") : QStringLiteral("Vexel LED");
    for (auto _ : state) {
        state.PauseTiming();
        TextPanel panel;
        panel.setTargets(vexel::FrameRect{0, 0, 488, 100}, std::nullopt);
        const int index = panel.fontBox->findData(font);
        if (index < 0) {
            state.SkipWithError("the font is not installed");
            return;
        }
        panel.fontBox->setCurrentIndex(index);
        panel.textEdit->setPlainText(FortyCharacters);
        state.ResumeTiming();
        panel.fit();
    }
}
BENCHMARK(BM_LetteringFit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

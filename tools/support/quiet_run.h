#pragma once

#include "run/fixed_inputs.h"

#include <cstdio>

namespace bladetrace::tools {

// A run with nothing to show, for benchmarks and fuzzing: the sample pair's inputs, every
// output dropped but counted. A message means the run went wrong; it is printed when
// `printMessages`.
class QuietRun : public RunProgress, public RunOutput {
public:
    QuietRun(const QString& top, const QString& side, bool thickness) {
        inputs.diameter = QStringLiteral("0.185");
        inputs.rpm = QStringLiteral("15000");
        inputs.velocity = QStringLiteral("50");
        inputs.topFile = top;
        inputs.sideFile = side;
        inputs.thickness = thickness;
    }

    RunHost host() { return {inputs, *this, *this}; }

    FixedInputs inputs;
    bool printMessages = true;
    bool marks = false; // the scan's red marks, which only a window shows
    int rows = 0;
    int messages = 0;

    qint32 lLanguage() const override { return languageNumber(Language::English); }
    void showStatus(const QString&) override {}
    void showMessage(const QString& text, MessageIcon, const QString&) override {
        ++messages;
        if (printMessages)
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    bool abortAsked() override { return false; }
    bool wantsMarks() const override { return marks; }
    void appendSheetRow(const QString&) override { ++rows; }
};

} // namespace bladetrace::tools

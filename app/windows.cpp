#include "windows.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace talvex {

Windows::Windows(PlatformServices services) : program_(std::move(services), *this)
{
    radioWindow_ = std::make_unique<QWidget>();
    radioWindow_->setWindowTitle(QStringLiteral("Radio Operations"));
    auto* layout = new QVBoxLayout(radioWindow_.get());
    radioText7_ = new QPlainTextEdit(radioWindow_.get());
    radioText7_->setReadOnly(true);
    memoryText_ = new QPlainTextEdit(radioWindow_.get());
    memoryText_->setReadOnly(true);
    layout->addWidget(radioText7_);
    layout->addWidget(memoryText_);
    radioWindow_->resize(876, 626);
    program_.addDisplayListener([this] { refresh(); });
}

Windows::~Windows() = default;

void Windows::start()
{
    program_.startup.RunStartup();
    refresh();
    radioWindow_->show();
}

void Windows::showSplash() {}

void Windows::showSetup() {}

void Windows::refresh()
{
    const ProgramState& s = program_.state;
    radioText7_->setPlainText(s.radio.Text1 + QStringLiteral("  ") + s.radio.Text4 + QStringLiteral("  ")
                              + s.radio.Text6 + QStringLiteral("\n") + s.radio.Text7);
    memoryText_->setPlainText(s.memory.Text6 + QStringLiteral("\n") + s.memory.Text7 + QStringLiteral("\n")
                              + s.memory.Text8);
}

}  // namespace talvex

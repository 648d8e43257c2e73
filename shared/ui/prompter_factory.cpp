#include "shared/ui/prompter_factory.h"

#include "shared/platform/answer_file.h"
#include "shared/ui/qt_prompter.h"

std::unique_ptr<Prompter> makeProgramPrompter(QWidget* parent)
{
    if (auto scripted = AnswerFile::fromEnvironment())
        return scripted;
    return std::make_unique<QtPrompter>(parent);
}

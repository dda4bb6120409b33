#include "app/cli/NumberCommand.h"

#include "common/NumberText.h"

#include <ostream>

namespace leapmark::cli {
namespace {

int runNumber(CliArguments& args, CommandOutput& output)
{
    const auto value = args.takeNumber();
    if (!value || !args.empty())
        return usageError(numberCommand, output);
    output.out << "signed=[" << signedForm(*value) << "]\n"
               << "plain=[" << plainForm(*value) << "]\n"
               << "print=[" << printForm(*value) << "]\n";
    return Success;
}

} // namespace

const Command numberCommand{"number", "number V", "the signed, plain and print texts of a number", runNumber};

} // namespace leapmark::cli

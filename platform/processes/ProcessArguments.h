#pragma once

#include <string>
#include <vector>

namespace platform {

/// Splits a command line into arguments the way Windows programs read
/// theirs. Blanks and tabs separate arguments; a double quote starts or ends a
/// quoted stretch, in which blanks and tabs belong to the argument; the
/// quotes themselves are removed, and "" standing alone gives an empty
/// argument.
///
/// The first argument (the program) takes backslashes literally: it ends at
/// the first blank or tab outside quotes. In the later ones backslashes count
/// only before a double quote: 2n backslashes and a quote give n backslashes
/// and start or end quoting; 2n+1 backslashes and a quote give n backslashes
/// and a literal quote. Inside quotes, "" gives a literal quote and quoting
/// goes on. Blanks at either end give no argument.
std::vector<std::string> SplitProcessCommandLine(const std::string& commandLine);

/// One argument written so that SplitProcessCommandLine gives it back whole: as it is
/// when it holds no blank, tab or double quote and is not empty, otherwise in
/// double quotes, with the backslashes before a quote (and before the closing
/// quote) doubled and its own quotes escaped. A drive path that ends in a
/// backslash ("C:\My Files\") so keeps its last backslash. Serves for the
/// program path too when it holds no double quote.
std::string QuoteProcessArgument(const std::string& argument);

}  // namespace platform

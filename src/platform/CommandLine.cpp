#include "platform/CommandLine.h"

namespace platform::command_line {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

}

std::vector<std::string> split(std::string_view parameters)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    std::size_t const n = parameters.size();
    for (;;) {
        while (i < n && is_blank(parameters[i]))
            ++i;
        if (i == n)
            return arguments;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !is_blank(parameters[i]))) {
            char c = parameters[i];
            if (c == '\\') {
                std::size_t backslashes = 0;
                while (i < n && parameters[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && parameters[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                    // An even count leaves the quote to the next round.
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < n && parameters[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += c;
                ++i;
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::string quote(std::string_view argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos)
        return std::string(argument);
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only when a quote follows them.
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
            out += '"';
        } else {
            out.append(backslashes, '\\');
            out += c;
        }
        backslashes = 0;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string join(std::vector<std::string> const& arguments)
{
    std::string out;
    for (auto const& argument : arguments) {
        if (!out.empty())
            out += ' ';
        out += quote(argument);
    }
    return out;
}

}

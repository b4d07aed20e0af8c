#pragma once

#include "platform/FileDescriptor.h"
#include "platform/Guardian.h"

#include <memory>
#include <string>

namespace platform {

// The guardian as a process of its own: the program `sprout-guardian` beside
// ours, told over a socket pair whose other end is its standard input. It
// holds nothing of ours but that end and is in a session of its own (a
// Ctrl+C or a hang-up for our terminal is not for it). Nothing waits for it:
// it outlives us whenever something is still held.
class GuardianProcess final : public Guardian {
public:
    // Nothing, said on standard error, when the program is missing or cannot
    // be started: the shell runs unguarded.
    static std::unique_ptr<GuardianProcess> start();

    void taken(Hold, std::string const& how_to_give_back) override;
    void given_back(Hold) override;

private:
    explicit GuardianProcess(FileDescriptor socket) : m_socket(std::move(socket)) { }
    void tell(Hold, std::string const& how);

    // When it closes with us, the guardian wakes, and has nothing to do when
    // every hold was given back.
    FileDescriptor m_socket;
};

}

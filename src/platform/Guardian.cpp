#include "platform/Guardian.h"

namespace platform {

namespace {

class NoGuardian final : public Guardian {
public:
    void taken(Hold, std::string const&) override { }
    void given_back(Hold) override { }
};

}

Guardian& Guardian::none()
{
    static NoGuardian nobody;
    return nobody;
}

}

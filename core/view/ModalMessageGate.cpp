#include "core/view/ModalMessageGate.h"

namespace korvanta {

namespace {

class OpenCount {
public:
    explicit OpenCount(int& count) : count_(count) { ++count_; }
    ~OpenCount() { --count_; }
    OpenCount(const OpenCount&) = delete;
    OpenCount& operator=(const OpenCount&) = delete;

private:
    int& count_;
};

}  // namespace

MessageAnswer ModalMessageGate::ShowMessage(uint32_t id, uint32_t style)
{
    OpenCount open(open_);
    return sink_.ShowMessage(id, style);
}

MessageAnswer ModalMessageGate::ShowText(uint32_t id, const std::string& text, uint32_t style)
{
    OpenCount open(open_);
    return sink_.ShowText(id, text, style);
}

}  // namespace korvanta

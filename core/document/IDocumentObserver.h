#pragma once

#include <cstdint>

namespace korvanta {

// A view of the document: told what changed by an update hint (DocumentHints.h).
class IDocumentObserver {
public:
    virtual ~IDocumentObserver() = default;
    virtual void OnDocumentUpdate(uint32_t hint) = 0;
};

}  // namespace korvanta

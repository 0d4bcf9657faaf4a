#pragma once

#include <cstdint>
#include <vector>

#include "core/document/IDocumentObserver.h"

namespace korvanta {

// The document's views, each told every hint once. A view may add or remove views while it
// handles a hint: one removed meanwhile is not told, one added is told from the next hint on.
class DocumentObservers {
public:
    // Adding a view twice, or a null one, changes nothing.
    void Add(IDocumentObserver* observer);
    void Remove(IDocumentObserver* observer);
    void Notify(uint32_t hint) const;

private:
    bool Contains(const IDocumentObserver* observer) const;

    std::vector<IDocumentObserver*> observers_;
};

}  // namespace korvanta

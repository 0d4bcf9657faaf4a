#include "core/document/DocumentObservers.h"

#include <algorithm>

namespace korvanta {

void DocumentObservers::Add(IDocumentObserver* observer)
{
    if (observer != nullptr && !Contains(observer)) {
        observers_.push_back(observer);
    }
}

void DocumentObservers::Remove(IDocumentObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void DocumentObservers::Notify(uint32_t hint) const
{
    const std::vector<IDocumentObserver*> observers = observers_;
    for (IDocumentObserver* observer : observers) {
        if (Contains(observer)) {
            observer->OnDocumentUpdate(hint);
        }
    }
}

bool DocumentObservers::Contains(const IDocumentObserver* observer) const
{
    return std::find(observers_.begin(), observers_.end(), observer) != observers_.end();
}

}  // namespace korvanta

#pragma once
// Broadcast over a listener registry that stays safe when a listener registers or
// unregisters listeners (itself included) while it is being notified.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/Containers.h"

namespace pvk {

// A number unique to each listener object, so that a listener created at the address of one
// that left during a broadcast is not taken for the one that left.
class CListenerTicket {
public:
  CListenerTicket() : m_nTicket(++s_nLast) {}
  std::uint64_t Get() const { return m_nTicket; }

private:
  std::uint64_t m_nTicket;
  inline static std::uint64_t s_nLast = 0;
};

// Visits, in registration order, the listeners registered when the broadcast starts that are
// still registered when their turn comes. ticketOf gives a listener's CListenerTicket.
template <class T, class TicketOf, class Visit>
void ForEachRegistered(const zar::MList<T*>& registry, TicketOf ticketOf, Visit visit) {
  std::vector<std::pair<T*, std::uint64_t>> snapshot;
  for (T* pListener : registry) snapshot.emplace_back(pListener, ticketOf(pListener).Get());
  for (const auto& [pListener, nTicket] : snapshot) {
    // Only a registered listener is alive, so its ticket is read only after that test.
    const bool registered =
        std::find(registry.begin(), registry.end(), pListener) != registry.end();
    if (registered && ticketOf(pListener).Get() == nTicket) visit(pListener);
  }
}

}  // namespace pvk

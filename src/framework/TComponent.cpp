#include "framework/TComponent.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : m_owner(owner) { }

TComponent::~TComponent() { destroy_components(); }

void TComponent::destroy_components()
{
    while (!m_components.empty())
        m_components.pop_back();
}

std::vector<TComponent*> TComponent::components() const
{
    std::vector<TComponent*> result;
    for (auto const& c : m_components)
        result.push_back(c.get());
    return result;
}

TComponent* TComponent::find_component(std::string_view name) const
{
    for (auto const& c : m_components)
        if (c->Name() == name)
            return c.get();
    for (auto const& c : m_components)
        if (auto* found = c->find_component(name))
            return found;
    return nullptr;
}

void TComponent::delete_component(TComponent* component)
{
    auto it = std::find_if(m_components.begin(), m_components.end(),
        [&](auto const& c) { return c.get() == component; });
    if (it == m_components.end())
        return;
    // Out of the list first, so lookups during destruction cannot find it.
    std::unique_ptr<TComponent> doomed = std::move(*it);
    m_components.erase(it);
}

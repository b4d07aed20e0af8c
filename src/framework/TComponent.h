#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

// A named part of a form. The owner creates its components with add<T>(),
// keeps them in creation order and destroys them, newest first, with itself.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(TComponent const&) = delete;
    TComponent& operator=(TComponent const&) = delete;

    TComponent* Owner() const { return m_owner; }
    std::string const& Name() const { return m_name; }
    void set_name(std::string name) { m_name = std::move(name); }

    template<class T, class... Args>
    T& add(std::string name, Args&&... args)
    {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& ref = *component;
        ref.set_name(std::move(name));
        m_components.push_back(std::move(component));
        ref.loaded();
        return ref;
    }

    // Searches this component's own components, then theirs.
    template<class T>
    T* find(std::string_view name) const
    {
        return dynamic_cast<T*>(find_component(name));
    }

    std::vector<TComponent*> components() const;
    // Destroys one of this component's own components.
    void delete_component(TComponent*);

protected:
    // Runs once the component has its name and sits in its owner's list.
    virtual void loaded() { }
    void destroy_components();

private:
    TComponent* find_component(std::string_view name) const;

    TComponent* m_owner;
    std::string m_name;
    std::vector<std::unique_ptr<TComponent>> m_components;
};

#include "foundation/tools/ResourceSet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A resource that writes its own deletion into a shared journal.
struct Item {
    std::string name;
    std::vector<std::string>* journal;
    Item(std::string n, std::vector<std::string>* j) : name(std::move(n)), journal(j) {}
    virtual ~Item() { journal->push_back("delete " + name); }
};

using Set = tools::ResourceSet<Item>;

// Logs each notification with the listener's tag and whether the resource is
// still in the set at that moment.
struct Recorder : Set::Listener {
    std::string tag;
    const Set* set;
    std::vector<std::string>* journal;
    std::vector<const Item*> known; // pointer -> name without dereferencing after deletion
    std::vector<std::string> names;

    Recorder(std::string t, const Set* s, std::vector<std::string>* j) : tag(std::move(t)), set(s), journal(j) {}

    bool inSet(const Item* r) const
    {
        const auto& rs = set->getResources();
        return std::find(rs.begin(), rs.end(), r) != rs.end();
    }
    std::string nameOf(const Item* r) const
    {
        for (std::size_t i = 0; i < known.size(); ++i)
            if (known[i] == r)
                return names[i];
        return "?";
    }
    void onResourceCreated(Item* r) override
    {
        known.push_back(r);
        names.push_back(r->name);
        journal->push_back(tag + " created " + r->name + (inSet(r) ? " (in)" : " (out)"));
    }
    void onResourceDestroying(Item* r) override
    {
        journal->push_back(tag + " destroying " + r->name + (inSet(r) ? " (in)" : " (out)"));
    }
    void onResourceDestroyed(Item* r) override
    {
        journal->push_back(tag + " destroyed " + nameOf(r) + (inSet(r) ? " (in)" : " (out)"));
    }
};

using Journal = std::vector<std::string>;

TEST(ResourceSet, AddNotifiesListenersInRegistrationOrderOnceEach)
{
    Journal j;
    Set set;
    Recorder a("A", &set, &j), b("B", &set, &j);
    set.addListener(&a);
    set.addListener(&b);
    set.addListener(&a); // already registered
    Item* r = new Item("r", &j);
    EXPECT_EQ(set.add(r), r);
    EXPECT_EQ(j, (Journal{"A created r (in)", "B created r (in)"}));
    ASSERT_EQ(set.getResources().size(), 1u);
    EXPECT_EQ(set.getResources()[0], r);
    set.clear();
}

TEST(ResourceSet, DestroyNotifiesAroundDeletionAndKeepsOrderOfTheRest)
{
    Journal j;
    Set set;
    Recorder a("A", &set, &j), b("B", &set, &j);
    set.addListener(&a);
    set.addListener(&b);
    Item* r1 = set.add(new Item("r1", &j));
    Item* r2 = set.add(new Item("r2", &j));
    Item* r3 = set.add(new Item("r3", &j));
    j.clear();

    set.destroy(r2);
    EXPECT_EQ(j, (Journal{"A destroying r2 (in)", "B destroying r2 (in)", "delete r2", "A destroyed r2 (out)",
                          "B destroyed r2 (out)"}));
    EXPECT_EQ(set.getResources(), (std::vector<Item*>{r1, r3}));
    set.clear();
}

TEST(ResourceSet, InsertPlacesBeforeTheIndexOrAtTheEndAndNotifies)
{
    Journal j;
    Set set;
    Recorder a("A", &set, &j);
    set.addListener(&a);
    Item* r1 = set.insert(0, new Item("r1", &j));
    Item* r3 = set.add(new Item("r3", &j));
    Item* r2 = set.insert(1, new Item("r2", &j));
    Item* r0 = set.insert(0, new Item("r0", &j));
    Item* r4 = set.insert(99, new Item("r4", &j));
    EXPECT_EQ(j, (Journal{"A created r1 (in)", "A created r3 (in)", "A created r2 (in)", "A created r0 (in)",
                          "A created r4 (in)"}));
    EXPECT_EQ(set.getResources(), (std::vector<Item*>{r0, r1, r2, r3, r4}));
    set.clear();
}

TEST(ResourceSet, DestroyOfAForeignPointerChangesNothing)
{
    Journal j;
    Set set;
    Recorder a("A", &set, &j);
    set.addListener(&a);
    Item* inside = set.add(new Item("in", &j));
    Item outside("out", &j);
    j.clear();
    set.destroy(&outside);
    EXPECT_TRUE(j.empty());
    EXPECT_EQ(set.getResources(), (std::vector<Item*>{inside}));
    set.clear();
}

TEST(ResourceSet, ClearAndDestructorRemoveFrontFirstWithFullSequences)
{
    Journal j;
    {
        Set set;
        Recorder a("A", &set, &j);
        set.addListener(&a);
        set.add(new Item("r1", &j));
        set.add(new Item("r2", &j));
        set.add(new Item("r3", &j));
        j.clear();
        set.clear();
        EXPECT_TRUE(set.getResources().empty());
        EXPECT_EQ(j, (Journal{"A destroying r1 (in)", "delete r1", "A destroyed r1 (out)", "A destroying r2 (in)",
                              "delete r2", "A destroyed r2 (out)", "A destroying r3 (in)", "delete r3",
                              "A destroyed r3 (out)"}));
    }
    j.clear();
    {
        Set set; // no listener: the destructor alone deletes everything
        set.add(new Item("x", &j));
        set.add(new Item("y", &j));
    }
    EXPECT_EQ(j, (Journal{"delete x", "delete y"}));
}

// Counts notifications without touching the resource.
struct Counter : Set::Listener {
    int destroying = 0, destroyed = 0;
    void onResourceDestroying(Item*) override { ++destroying; }
    void onResourceDestroyed(Item*) override { ++destroyed; }
};

TEST(ResourceSet, NullEntryLeavesWithNotificationsButIsNotDeleted)
{
    Journal j;
    Counter c; // outlives the set, which notifies it when it dies
    Set set;
    set.addListener(&c);
    set.add(nullptr);
    set.add(new Item("r", &j));
    set.destroy(nullptr);
    EXPECT_EQ(c.destroying, 1);
    EXPECT_EQ(c.destroyed, 1);
    ASSERT_EQ(set.getResources().size(), 1u);
    EXPECT_EQ(set.getResources()[0]->name, "r");
    EXPECT_TRUE(j.empty());
}

TEST(ResourceSet, DestroyingByIndexRevisitsTheSameIndex)
{
    Journal j;
    Set set;
    for (const char* n : {"keep1", "drop1", "drop2", "keep2"})
        set.add(new Item(n, &j));
    // Walk by index and destroy selected entries, as a grid removes selected elements.
    for (std::size_t i = 0; i < set.getResources().size();) {
        Item* r = set.getResources()[i];
        if (r->name.rfind("drop", 0) == 0)
            set.destroy(r);
        else
            ++i;
    }
    ASSERT_EQ(set.getResources().size(), 2u);
    EXPECT_EQ(set.getResources()[0]->name, "keep1");
    EXPECT_EQ(set.getResources()[1]->name, "keep2");
    EXPECT_EQ(j, (Journal{"delete drop1", "delete drop2"}));
}

} // namespace

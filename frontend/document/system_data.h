#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace farvik {

// An element of a subsystem, or one entry of a path.
struct ElementRec {
    // Element: the index of its row in the element list. Path entry: the index of its row in
    // the path-entry list.
    std::int16_t key = 0;
    // Position in the distribution list, 0 "Exponencial" .. 4 "Normal" (file code - 1).
    std::int16_t distribution = 0;
    // Indices 1..3 are the distribution parameters; a path entry keeps the element key it
    // passes through in index 1. Index 0 is never used.
    std::array<double, 4> params{};

    bool operator==(const ElementRec& o) const {
        return key == o.key && distribution == o.distribution && params == o.params;
    }
};

// A subsystem, or a path.
struct SubsystemRec {
    std::int16_t count = 0;            // elements of the subsystem, or entries of the path
    std::vector<ElementRec> elements;  // indices 0..count; index 0 is never used

    bool operator==(const SubsystemRec& o) const {
        return count == o.count && elements == o.elements;
    }
};

// The system being edited, as a plain value: the document holds one, the editor shows one,
// an undo step keeps two.
struct SystemData {
    std::int16_t systemType = 1;  // structure code 1..5
    bool redundancyStudy = false;
    std::int32_t trialCount = 1000;
    std::int32_t seed = 1;            // the file takes any the engine takes
    std::int16_t subsystemCount = 1;  // general structure: the number of elements
    std::int16_t elementCount = 1;    // element rows = highest element key
    std::int16_t pathCount = 1;
    std::int16_t pathEntryCount = 1;       // path-entry rows = highest entry key
    std::vector<SubsystemRec> subsystems;  // indices 0..subsystemCount; index 0 is never used
    std::vector<SubsystemRec> paths;       // indices 0..pathCount; index 0 is never used

    bool operator==(const SystemData& o) const;
    bool operator!=(const SystemData& o) const { return !(*this == o); }
};

// A group (subsystem or path) holding one fresh element: exponential, all parameters 0.
SubsystemRec oneElementGroup();

// A new description: structure 1, one subsystem of one element, one path of one entry,
// seed 1, 1000 trials, no redundancy study.
void resetSystemData(SystemData& data);
SystemData newSystemData();

// Sets a group array to indices 0..count, keeping the groups that stay; new groups hold one
// fresh element each.
void resizeGroups(std::vector<SubsystemRec>& groups, int count);

// Adds a fresh element at the end of subsystem i, or drops its last one, and moves
// elementCount with it. Nothing else changes. Returns false when i names no subsystem or the
// subsystem has no element left to drop.
bool resizeSubsystem(SystemData& data, bool grow, int i);

// The same for the entries of path p and pathEntryCount.
bool resizePath(SystemData& data, bool grow, int p);

// The first element (subsystem by subsystem, element by element) or path entry whose key is
// the given one; nullptr when there is none.
ElementRec* findElementByKey(SystemData& data, int key);
ElementRec* findPathEntryByKey(SystemData& data, int key);
const ElementRec* findElementByKey(const SystemData& data, int key);

// The number of elements (or entries) held by the groups before group index.
int elementsBefore(const std::vector<SubsystemRec>& groups, int index);

// Gives key 0 to every element (or entry) of group from and of the groups after it, so
// that keys handed out afresh never meet a stale copy of themselves.
void clearKeysFrom(std::vector<SubsystemRec>& groups, int from);

}  // namespace farvik

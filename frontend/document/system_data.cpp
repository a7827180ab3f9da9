#include "system_data.h"

#include <algorithm>

namespace farvik {

bool SystemData::operator==(const SystemData& o) const {
    return systemType == o.systemType && redundancyStudy == o.redundancyStudy &&
           trialCount == o.trialCount && seed == o.seed && subsystemCount == o.subsystemCount &&
           elementCount == o.elementCount && pathCount == o.pathCount &&
           pathEntryCount == o.pathEntryCount && subsystems == o.subsystems && paths == o.paths;
}

SubsystemRec oneElementGroup() {
    SubsystemRec group;
    group.count = 1;
    group.elements.resize(2);
    return group;
}

void resetSystemData(SystemData& data) {
    data = SystemData{};
    data.subsystems = {SubsystemRec{}, oneElementGroup()};
    data.paths = {SubsystemRec{}, oneElementGroup()};
    data.subsystems[1].elements[1].key = 1;
    data.paths[1].elements[1].key = 1;
}

SystemData newSystemData() {
    SystemData data;
    resetSystemData(data);
    return data;
}

void resizeGroups(std::vector<SubsystemRec>& groups, int count) {
    if (count < 0) count = 0;
    groups.resize(static_cast<std::size_t>(count) + 1, oneElementGroup());
}

namespace {

bool resizeGroup(std::vector<SubsystemRec>& groups, bool grow, int index, std::int16_t& rowCount) {
    if (index < 1 || index >= static_cast<int>(groups.size())) return false;
    SubsystemRec& group = groups[static_cast<std::size_t>(index)];
    // Keep the array in step with count even if someone set count by hand.
    group.elements.resize(static_cast<std::size_t>(group.count) + 1);
    if (grow) {
        group.elements.push_back(ElementRec{});
        ++group.count;
        ++rowCount;
    } else {
        if (group.count < 1) return false;
        group.elements.pop_back();
        --group.count;
        --rowCount;
    }
    return true;
}

ElementRec* findByKey(std::vector<SubsystemRec>& groups, int key) {
    for (std::size_t g = 1; g < groups.size(); ++g) {
        auto& elements = groups[g].elements;
        for (std::size_t e = 1; e < elements.size(); ++e)
            if (elements[e].key == key) return &elements[e];
    }
    return nullptr;
}

}  // namespace

bool resizeSubsystem(SystemData& data, bool grow, int i) {
    return resizeGroup(data.subsystems, grow, i, data.elementCount);
}

bool resizePath(SystemData& data, bool grow, int p) {
    return resizeGroup(data.paths, grow, p, data.pathEntryCount);
}

ElementRec* findElementByKey(SystemData& data, int key) {
    return findByKey(data.subsystems, key);
}

ElementRec* findPathEntryByKey(SystemData& data, int key) {
    return findByKey(data.paths, key);
}

int elementsBefore(const std::vector<SubsystemRec>& groups, int index) {
    int count = 0;
    for (int g = 1; g < index && g < static_cast<int>(groups.size()); ++g)
        count += groups[static_cast<std::size_t>(g)].count;
    return count;
}

void clearKeysFrom(std::vector<SubsystemRec>& groups, int from) {
    for (std::size_t g = static_cast<std::size_t>(std::max(from, 0)); g < groups.size(); ++g)
        for (ElementRec& element : groups[g].elements) element.key = 0;
}

const ElementRec* findElementByKey(const SystemData& data, int key) {
    return findElementByKey(const_cast<SystemData&>(data), key);
}

}  // namespace farvik

#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstring>

// Visits every node below node, reading its name and value: the walk that
// stands for using what pugixml loaded. Answers the number of nodes and adds
// the characters read to touched.
inline long WalkPugixml(const pugi::xml_node &node, std::size_t &touched)
{
    long count = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        touched += std::strlen(child.name()) + std::strlen(child.value());
        count += 1 + WalkPugixml(child, touched);
    }
    return count;
}

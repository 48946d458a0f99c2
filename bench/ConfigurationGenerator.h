#pragma once

class CSettingNode;

// Fills a freshly reset tree with n access points, n
// mailboxes and n WAP connections, each of those using one of the access
// points, and 10 n WWW bookmarks. Items are made as the editor makes them, by
// naming the template; categories, items and some fields are included. Every
// value passes the before-sending check.
void GenerateConfiguration(CSettingNode *root, int n);

// Fills a freshly reset tree with n included access points and nothing else.
void GenerateAccessPoints(CSettingNode *root, int n);

#pragma once

#include <map>
#include <string>

// CorpGather.ini in the program folder. Getters read the file afresh on every call: a missing
// key or a value that is no whole number (decimal, or hexadecimal with "0x") gives the default.
namespace corpgather {

std::string GetIniFileName();

int GetTimeOut();         // Option/TimeOut, 60
int GetTryNum();          // Option/TryNum, 3
int GetDisplay();         // Option/Display, 500
int GetRunTaskNum();      // Option/RunTaskNum, 3
int GetSaveNum();         // Option/SaveNum, 25
int GetIntervalData();    // Option/IntervalData, 500
int GetIntervalTime();    // Option/IntervalTime, 60
int GetComListDisplay();  // Option/ComListDisplay, 0

// Host names (each may carry ":port") of the marketplace. Section Hosts; the defaults are
// the real marketplace's hosts.
struct MarketplaceHosts {
    std::string market;         // Hosts/Market: listings and the detail layout
    std::string shopSuffix;     // Hosts/ShopSuffix: member id + suffix is the member's shop
    std::string companySite;    // Hosts/CompanySite
    std::string memberProfile;  // Hosts/MemberProfile
};
MarketplaceHosts GetHosts();

// The address of the update information (Update/InfoUrl); empty when none is configured.
std::string GetUpdateInfoUrl();

// Writes the given keys of section Option (decimal) or section Hosts, keeping every other
// section and key of the file. On failure nothing is half-written and the error is returned.
bool WriteOptions(const std::map<std::string, int>& values, std::string* error = nullptr);
bool WriteHosts(const MarketplaceHosts& hosts, std::string* error = nullptr);

}  // namespace corpgather

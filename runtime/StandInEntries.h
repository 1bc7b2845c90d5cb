#pragma once
// Language data on a form read with stand-ins (platform/core/filer/StandIn.h): before the entry
// tree binds, the stand-ins' classes get the properties its entries name, with the entries'
// kinds, and the identifiers that the stored languages' values use, so that every entry binds
// and a switch can put any stored value into the live property.

namespace dravik {

class TComponentEntries;

void DescribeStandIns(TComponentEntries& comps);

}  // namespace dravik

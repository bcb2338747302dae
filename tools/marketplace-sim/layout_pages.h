#pragma once

#include "company_catalog.h"
#include "page_writer.h"
#include "site_hosts.h"

// The part of each company page that carries its facts, in the markup the engine's markers
// cut. The surroundings are written by CompanyPage.
namespace marketsim {

void WriteTitleBarContact(GbkPageWriter& page, const Company& company, const SiteHosts& hosts);
void WriteHeadingContact(GbkPageWriter& page, const Company& company, const SiteHosts& hosts);
// A shop contact page of a template the engine does not know.
void WriteOtherContact(GbkPageWriter& page, const Company& company);
void WriteTitleBarProfile(GbkPageWriter& page, const Company& company);
void WriteHeadingProfile(GbkPageWriter& page, const Company& company);

void WriteDetailContact(GbkPageWriter& page, const Company& company, const SiteHosts& hosts);
void WriteDetailProfile(GbkPageWriter& page, const Company& company);

}  // namespace marketsim

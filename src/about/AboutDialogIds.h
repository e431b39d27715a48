// Identifiers of the about box's resource template and its controls, shared
// by the template and its view. The numbers stay clear of the settings
// dialog's, since both templates are linked into the same program.
#pragma once

#define IDD_ABOUT 500

#define IDC_ABOUT_ICON 501
#define IDC_ABOUT_TITLE 502
#define IDC_ABOUT_VERSION 503
#define IDC_ABOUT_DESCRIPTION 504
#define IDC_ABOUT_FREEWARE 505
#define IDC_ABOUT_DISCLAIMER 506
#define IDC_ABOUT_LINKS 507
#define IDC_ABOUT_MAKER_PAGE 508
#define IDC_ABOUT_DONATION 509
#define IDC_ABOUT_MAIL 510
#define IDC_ABOUT_TRANSLATIONS 511
#define IDC_ABOUT_ITALIAN 512
#define IDC_ABOUT_TRANSLATOR_PAGE 513
#define IDC_ABOUT_SYSINFO 514

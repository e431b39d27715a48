// Identifiers of the about box's resource template and its controls, shared
// by the template and its view.
#pragma once

#define IDD_ABOUT 200

#define IDC_ABOUT_ICON 201
#define IDC_ABOUT_TITLE 202
#define IDC_ABOUT_VERSION 203
#define IDC_ABOUT_DESCRIPTION 204
#define IDC_ABOUT_FREEWARE 205
#define IDC_ABOUT_DISCLAIMER 206
#define IDC_ABOUT_LINKS 207
#define IDC_ABOUT_MAKER_PAGE 208
#define IDC_ABOUT_DONATION 209
#define IDC_ABOUT_MAIL 210
#define IDC_ABOUT_TRANSLATIONS 211
#define IDC_ABOUT_ITALIAN 212
#define IDC_ABOUT_TRANSLATOR_PAGE 213
#define IDC_ABOUT_SYSINFO 214

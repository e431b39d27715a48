// Identifiers of the settings dialog's resource template, its controls and
// its menu items; shared by the template (SettingsDialogWin32.rc), the Windows
// view and the tests that drive the dialog. Plain macros, because the
// resource compiler reads this file too.
#pragma once

#define IDD_SETTINGS 400
#define IDR_SETTINGS_MENU 401

// Menu items.
#define IDM_GERMAN 210
#define IDM_ENGLISH 211
#define IDM_ITALIAN 212
#define IDM_INFO 213
#define IDM_UPDATE 214

// Below the tabs. OK and Cancel use the dialog manager's own identifiers, so
// Enter and Esc reach them.
#define IDC_SSTab 300
#define IDC_Command1 301
#define IDC_cmdOK 1     /* IDOK */
#define IDC_CmdCancel 2 /* IDCANCEL */

// Snow page.
#define IDC_Frame1 310
#define IDC_Label2 311
#define IDC_colSnow 312
#define IDC_Command3 313
#define IDC_Label12 314
#define IDC_CmboFlaketype 315
#define IDC_picFlaketype 316
#define IDC_Label3 317
#define IDC_CmboSnowSize 318
#define IDC_Label4 319
#define IDC_HScrollFallingDirection 320
#define IDC_Label5 321
#define IDC_Label6 322
#define IDC_Label9 323
#define IDC_HScrollTurbulence 324
#define IDC_Label8 325
#define IDC_Label7 326
#define IDC_Label13 327
#define IDC_HScrollTransparency 328
#define IDC_Label14 329
#define IDC_Label15 330
#define IDC_Frame2 331
#define IDC_LabelFixedSnowballs 332
#define IDC_HScrollCountSnowballs 333
#define IDC_labelCountSnowballs 334
#define IDC_LabelFixedFramerate 335
#define IDC_HScrollFramerate 336
#define IDC_labelFramerate 337
#define IDC_ChkSnowAlwaysFromSky 338
#define IDC_ChkUseSystemTimer 339
#define IDC_Frame4 340
#define IDC_OptBackgroundDesktop 341
#define IDC_OptBackgroundImage 342
#define IDC_ChkSnowOnIcons 343
#define IDC_TxBackgroundImage 344
#define IDC_CmdChooseBackgroundImage 345
#define IDC_PictureBackgroundImagePreview 346

// Additional page.
#define IDC_Frame5 360
#define IDC_OptMaxi 361
#define IDC_OptProp 362
#define IDC_Label20 363
#define IDC_TxSize 364
#define IDC_Label21 365
#define IDC_colBack 366
#define IDC_CmdColor 367
#define IDC_Frame3 368
#define IDC_ChkShowFPS 369
#define IDC_Label10 370
#define IDC_TxRestartMin 371
#define IDC_VScrollRestartMin 372
#define IDC_Label11 373
#define IDC_Frame10 374
#define IDC_Label23 375
#define IDC_TxSoundfile 376
#define IDC_CmdBtnFindSndFile 377
#define IDC_CmdBtnPlay 378
#define IDC_ChkLoop 379
#define IDC_LabelMP3 380
#define IDC_SndProgress 381
#define IDC_SndProgressBar 382
#define IDC_LabelSndProgress 383

// Window timers of the dialog.
#define IDT_TimerSnd 1

// The update panel, in its column beside the tabs.
#define IDC_PictureAd 390
#define IDC_LabelAd 391
#define IDC_LabelConnection 392
#define IDC_LabelConnectionHelp 393
#define IDC_BtnAd 394 /* element 0; later elements are made at run time */
#define IDC_PictureUpdate 395
#define IDC_LabelUpdate 396
// Run-time elements of BtnAd: element i gets IDC_BtnAdFirst + i.
#define IDC_BtnAdFirst 600

#define IDT_AdTimer 2

// Resource and control ids of every window.
#pragma once

#define IDD_ABOUTBOX            100
#define IDS_ABOUTBOX            101
#define IDS_UNDOLASTRUN          103
#define IDS_SAVERULES           104
#define IDS_OPENRULES           105
#define IDS_RECENTRULES         106
#define IDD_RENAME_DIALOG       102
#define IDR_MAINFRAME           128
#define IDI_OPENFOLDER          129
#define IDI_CLOSEDFOLDER        130
#define IDD_PREVIEW             132
#define IDD_PROGRESS            133
#define IDD_OPTIONS             134
#define IDD_FILESTATUS          139
#define IDD_DIREXPLORER         140

#define IDM_ABOUTBOX            0x0010
#define IDM_UNDOLASTRUN         0x0020
#define IDM_SAVERULES           0x0030
#define IDM_OPENRULES           0x0040
// The recent rule sets: IDM_RECENTRULES + 16 * index, index 0 to 7.
#define IDM_RECENTRULES         0x0100

// Main window (102)
#define IDC_DIRTREE             1000
#define IDC_FILELIST            1001
#define IDC_DRIVES              1002
#define IDC_SINGLEMULTI         1003
#define IDC_EXTENDED            1004
#define IDC_SELCOUNT            1005
#define IDC_CHGPREFIX           1006
#define IDC_NEWPREFIX           1007
#define IDC_CHGEXT              1011
#define IDC_NEWEXT              1012
#define IDC_PREFIX_REPLACE      1015
#define IDC_PREFIX_BEFORE       1016
#define IDC_PREFIX_AFTER        1017
#define IDC_EXT_REPLACE         1018
#define IDC_EXT_BEFORE          1019
#define IDC_EXT_AFTER           1020
#define IDC_COUNTPREFIX         1022
#define IDC_COUNTEXT            1023
#define IDC_ALPHACOUNT          1024
#define IDC_STARTCOUNT          1025
#define IDC_INCREMENT           1026
#define IDC_FILEFILTER          1031
#define IDC_PREFIXUPPER         1032
#define IDC_PREFIXLOWER         1033
#define IDC_EXTUPPER            1034
#define IDC_EXTLOWER            1035
#define IDC_LBL_PREFIXPOS       1036
#define IDC_LBL_EXTPOS          1037
#define IDC_LBL_NEWPREFIX       1038
#define IDC_LBL_NEWEXT          1039
#define IDC_COUNTERGROUP        1040
#define IDC_LBL_APPLYTO         1041
#define IDC_LBL_STARTCOUNT      1042
#define IDC_LBL_INCREMENT       1043
#define IDC_SEARCHMASK          1044
#define IDC_RENAME              1045
#define IDC_PREVIEW             1046
#define IDC_INSERT              1047
#define IDC_FILESORT            1048
#define IDC_REPLACE             1049
#define IDC_INSSTR1             1051
#define IDC_LBL_INSSTR1         1052
#define IDC_INSSTR2             1053
#define IDC_LBL_INSSTR2         1054
#define IDC_REFROMPOS           1056
#define IDC_LBL_REFROMPOS       1057
#define IDC_RETOPOS             1058
#define IDC_LBL_RETOPOS         1059
#define IDC_INSATPOS            1060
#define IDC_INSBEFORE           1061
#define IDC_INSAFTER            1062
#define IDC_LBL_INSATPOS        1063
#define IDC_LBL_INSRANGE        1064
#define IDC_RESTR1              1065
#define IDC_LBL_RESTR1          1066
#define IDC_LBL_RESTR2          1067
#define IDC_RESTR2              1068
#define IDC_APPLY_PREFIX        1070
#define IDC_APPLY_EXT           1071
#define IDC_APPLY_NAME          1072
#define IDC_FULLPREVIEW         1073
#define IDC_OPTIONS             1076
#define IDC_ABOUT               1078
#define IDC_SEARCHBACK          1080
#define IDC_CASESENSITIVE       1081
#define IDC_REGEX               1082
#define IDC_EXIT                1115
#define IDC_CLEAR               1130

// About box (100)
#define IDC_CONTACT             1079
#define IDC_HELPBUTTON          1138
#define IDC_BUILDDATE           1139

// Preview (132)
#define IDC_PREVIEW_COUNT       1084
#define IDC_FINDINVALID         1085
#define IDC_CHECKDUPS           1086
#define IDC_PREVIEW_DEST        1087
#define IDC_PREVIEW_LIST        1001

// Progress (133)
#define IDC_PROGRESS            1088

// Options (134)
#define IDC_OPT_OK              1090
#define IDC_OPT_OKSAVE          1091
#define IDC_OPT_WARNREN         1092
#define IDC_OPT_AUTOSEL         1093
#define IDC_OPT_NOREFRESH       1095
#define IDC_OPT_WARNDEL         1096
#define IDC_OPT_TOOLTIP         1097
#define IDC_ATTR_READONLY       1103
#define IDC_ATTR_HIDDEN         1104
#define IDC_ATTR_SYSTEM         1105
#define IDC_ATTR_ARCHIVE        1106
#define IDC_OPT_DESTINATION     1117
#define IDC_OPT_SELECTDIR       1118
#define IDC_OPT_USENEWDIR       1119
#define IDC_OPT_SETATTRIB       1120
#define IDC_OPT_TIMEDATE        1121
#define IDC_OPT_LBL_DATE        1122
#define IDC_OPT_LBL_TIME        1123
#define IDC_OPT_GETNOW          1129
#define IDC_OPT_DATE            1131
#define IDC_OPT_TIME            1132
#define IDC_OPT_INCTIME         1133
#define IDC_OPT_INCAMOUNT       1134
#define IDC_OPT_ABORTERROR      1135
#define IDC_OPT_LBL_FORMAT      1136
#define IDC_OPT_LBL_INCFORMAT   1137
#define IDC_OPT_EXPLORERMENU    1150

// File status (139)
#define IDC_FS_NAME             1098
#define IDC_FS_PATH             1113
#define IDC_FS_CHANGEPATH       1114
#define IDC_FS_LBL_NAME         1116
#define IDC_FS_NOW_MODIFIED     1128
#define IDC_FS_NOW_CREATED      1129
#define IDC_FS_NOW_ACCESSED     1130
#define IDC_FS_MODIFIED_DATE    1131
#define IDC_FS_MODIFIED_TIME    1132
#define IDC_FS_CREATED_DATE     1133
#define IDC_FS_CREATED_TIME     1134
#define IDC_FS_ACCESSED_DATE    1135
#define IDC_FS_ACCESSED_TIME    1136

#ifndef ID_HELP
#define ID_HELP                 0xE146
#endif
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

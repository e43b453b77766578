#include "settings/default_categories.h"

namespace kestrine {

StringList DefaultCategories() {
    return {
        u"Any=*",
        u"Archives=zip,arj,rar,tar,z,gz,cab,ace,bz2,iso",
        u"Audio=mp1,mp2,mp3,rm,wma,mod,mid,xm,asf,wav,ogg",
        u"Databases=db,dbf,mdb",
        u"Executables=exe,com,dll,ocx,cpl,sys,drv,vxd,scr",
        u"HTML Documents=htm,html,asp,shtml",
        u"Images=bmp,gif,jpg,pcx,tif,tiff,png,jpeg,psd",
        u"Office Documents=doc,xls,xlt,mdb,ppt,rtf,dot,pdf",
        u"Video=mpg,avi,wmv,m1v,m2v,vob,mpeg,rm,mov",
    };
}

}  // namespace kestrine

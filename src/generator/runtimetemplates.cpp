// The runtime library of the menu script. Section ids: the menu letter, the
// block number, then "d" and a position for every level ("e1d3d2"); a page
// link's id has "b" in front. Element ids: "c" + id for the box of an entry,
// id for a folder's contents, "a" + id for the anchor, "i" + id for the image.
// The open sections live in the cookie as ids each followed by "x".
#include "generator/runtimetemplates.h"

namespace qwk::runtime {

const QStringView kGlobals = uR"js(//the open sections (the cookie value) and whether cookies are used
var $v:co$="";
var $v:uc$=$useCookies$;
//the HTML of the menu, written into the page at one shot
var $v:gstr$="";
//open sections and display names by section id
var $v:o$=new Object();
var $v:gn$=new Object();
//true during the first load of the page
var $v:fl$=false;
//the page to reload
var $v:fn$=document.location;
//left margin and closed folders being skipped (older browsers)
var $v:ml$=0;
var $v:ncf$=0;
//where the scroll position is read
var $v:XOff$=false;
var $v:sTop$=false;
//the open drop-down section and its timers
var $v:osec$="";
var $v:intTime$;
var $v:intTime2$;
//the browser
var $v:agt$=navigator.userAgent.toLowerCase();
var $v:pi$=parseInt(navigator.appVersion);
var $v:ie$=(($v:agt$.indexOf("msie")!=-1)&&(document.all)?true:false);
var $v:w3c$=false;
var $v:gb$=false;
if(document.getElementById){$v:w3c$=true};
$v:gb$=!$v:w3c$;
var $v:mac$=($v:agt$.indexOf("mac")!=-1);
//older browsers always keep the open folders in the cookie
if($v:gb$){$v:uc$=true};
$imagePreload$
)js";

const QStringView kImagePreload = uR"js(//preload the folder and link images
if(document.images){
  $mainImages$
  $subImages$
  $linkImage$
};
)js";

const QStringView kDrawing = uR"js(//main folder: section id, flags, name, script run when it opens, width
function $f:mf$($v:secn9$,$v:k$,$v:name$,$v:href$,$v:width$){
  $nameTranslation$
  $v:gn$[$v:secn9$]=$v:name$;
  if($v:w3c$){
    var t,t1,t2,t3,t4;
    if($v:width$==""){t=""}else{t="width="+$v:width$};
    if($f:dropDownMenu$($v:k$)){
      t1=" onMouseOut=\"$f:mo$('"+$v:secn9$+"','"+$v:k$+"',event)\" onMouseOver=\"$f:mi$('"+$v:secn9$+"','"+$v:k$+"',event)\"";
      t2="display:None;position:absolute";
      t3=" style='cursor:pointer'"
    }else{
      t1="";
      t2="display:None";
      t3=" style='cursor:pointer;margin-left:$mainIndent$px'"
    };
    if($f:ii$($v:k$,"nf")){t4="a"}else{t4="span"};
    $f:dw$("<div id='c"+$v:secn9$+"'"+t1+" class='$classMainFolderBox$"+$f:className$($v:k$)+"'"+t3+"><table "+t+" border='0' cellspacing='0' cellpadding='0'><tr><td$cellHeight$>");
    if($f:ii$($v:k$,"nl")){$f:dw$($v:name$)}else{$f:dw$("<"+t4+" ");$f:ccmf$($v:secn9$,$v:k$,$v:name$,$v:href$);$f:dw$("</"+t4+">")};
    $f:dw$("</td></tr></table><div class='$classMainFolderPage$' id='"+$v:secn9$+"' style='"+t2+"'>")
  }else if($v:gb$){
    $f:dw$("<p id='c"+$v:secn9$+"' class='$classMainFolderBox$"+$f:className$($v:k$)+"' style='margin-left:$mainIndent$px'><a ");
    $f:ccmf$($v:secn9$,$v:k$,$v:name$,$v:href$);
    $f:dw$("</a></p>");
    if($f:sio$($v:co$,$v:secn9$)){$v:ncf$=0;$v:ml$=$indentSum$}else{$v:ncf$=1}
  }
}
//a page at the top level is a main folder box holding a link
function $f:ccmf$($v:secn9$,$v:k$,$v:name$,$v:href$){
  if($f:ii$($v:k$,"nf")){$f:clk$($v:secn9$,$v:k$,$v:name$,$v:href$)}else{$f:cmf$($v:secn9$,$v:k$,$v:name$,$v:href$)}
}
//sub-folder
function $f:sf$($v:secn10$,$v:k$,$v:name$,$v:href$,$v:width$){
  $nameTranslation$
  $v:gn$[$v:secn10$]=$v:name$;
  if($v:w3c$){
    var t,t1,t2,t3;
    if($v:width$==""){t=""}else{t="width="+$v:width$};
    if($f:dropDownMenu$($v:k$)){
      t1=" onMouseOut=\"$f:mo$('"+$v:secn10$+"','"+$v:k$+"',event)\" onMouseOver=\"$f:mi$('"+$v:secn10$+"','"+$v:k$+"',event)\"";
      t2="display:None;position:absolute";
      t3=""
    }else{
      t1="";
      t2="display:None";
      t3=" style='margin-left:$subIndent$px'"
    };
    $f:dw$("<div id='c"+$v:secn10$+"'"+t1+" class='$classSubFolderBox$"+$f:className$($v:k$)+"'"+t3+"><table "+t+" border='0' cellspacing='0' cellpadding='0'><tr><td$cellHeight$><span ");
    $f:csf$($v:secn10$,$v:k$,$v:name$,$v:href$);
    $f:dw$("</span></td></tr></table><div class='$classSubFolderPage$' id='"+$v:secn10$+"' style='"+t2+"'>")
  }else if($v:gb$){
    if($f:sio$($v:co$,$f:gf$($v:secn10$))){
      $f:dw$("<p id='c"+$v:secn10$+"' class='$classSubFolderBox$"+$f:className$($v:k$)+"' style='margin-left:"+$v:ml$+"px'><a ");
      $f:csf$($v:secn10$,$v:k$,$v:name$,$v:href$);
      $f:dw$("</a></p>")
    };
    if($f:sio$($v:co$,$v:secn10$)){$v:ncf$=0;$v:ml$=$v:ml$+($subIndent$)}else{$v:ncf$=$v:ncf$+1}
  }
}
//page link
function $f:lk$($v:secn8$,$v:k$,$v:name$,$v:href$,$v:width$){
  $nameTranslation$
  $v:secn8$="b"+$v:secn8$;
  $v:gn$[$v:secn8$]=$v:name$;
  if($v:w3c$){
    var t,t1,t2;
    if($v:width$==""){t=""}else{t="width="+$v:width$};
    if($f:dropDownMenu$($v:k$)){
      t1="";
      t2=" onMouseOver=\"$f:mi$('"+$v:secn8$+"','',event)\""
    }else{
      t1=" style='margin-left:$subIndent$px'";
      t2=""
    };
    $f:dw$("<div id='c"+$v:secn8$+"'"+t2+" class='$classLinkBox$"+$f:className$($v:k$)+"'"+t1+"><table "+t+" border='0' cellspacing='0' cellpadding='0'><tr><td class='$classLinkPage$'$cellHeight$>");
    if($f:ii$($v:k$,"nl")){$f:dw$($v:name$)}else{$f:dw$("<a ");$f:clk$($v:secn8$,$v:k$,$v:name$,$v:href$);$f:dw$("</a>")};
    $f:dw$("</td></tr></table></div>")
  }else if($v:gb$){
    if($v:ncf$==0){
      $f:dw$("<p id='c"+$v:secn8$+"' class='$classLinkBox$"+$f:className$($v:k$)+"' style='margin-left:"+$v:ml$+"px'>");
      if($f:ii$($v:k$,"nl")){$f:dw$($v:name$)}else{$f:dw$("<a ");$f:clk$($v:secn8$,$v:k$,$v:name$,$v:href$);$f:dw$("</a>")};
      $f:dw$("</p>")
    }
  }
}
//new column: the next cell of the menu table
function $f:col$(){
  $f:dw$("</td><td class='$classMenuTreeBox$' valign='top'>")
}
//end of a folder
function $f:de$(){
  if($v:w3c$){
    $f:dw$("</div></div>")
  }else if($v:gb$){
    if($v:ncf$==0){$v:ml$=$v:ml$-($subIndent$)}else{$v:ncf$=$v:ncf$-1}
  }
}
)js";

const QStringView kAnchors = uR"js(//anchor of a main folder; the folder's own script runs in a function of its
//own when the folder opens, so that a return in it (the empty script is
//"return true;") ends that script and not the click that opens the folder
//(the oldest browsers, without call, run it without the anchor as this)
function $f:cmf$($v:secn12$,$v:k$,$v:name$,$v:href$){
  var t1;
  $f:osfl$($v:k$,"mfo",$v:secn12$);
  if($v:gb$&&$f:sio$($v:co$,$v:secn12$)){$v:o$[$v:secn12$]=true};
  if($f:dropDownMenu$($v:k$)){t1=$v:href$}else{t1="if(!$v:o$['"+$v:secn12$+"']){"+($v:href$==""?"":"var x=function(){"+$v:href$+"};if(x.call){x.call(this)}else{x()}")+"};$f:ck$('"+$v:secn12$+"','"+$v:k$+"')"};
  $f:dw$($f:wa$($v:secn12$,$v:k$,$v:name$,"{"+t1+";return false}","javascript:{\\}","$classMainFolderLine$"+$f:className$($v:k$)));
  $f:dw$($v:name$$mainFolderImage$)
}
//anchor of a sub-folder
function $f:csf$($v:secn13$,$v:k$,$v:name$,$v:href$){
  var t1;
  $f:osfl$($v:k$,"sfo",$v:secn13$);
  if($v:gb$&&$f:sio$($v:co$,$v:secn13$)){$v:o$[$v:secn13$]=true};
  if($f:dropDownMenu$($v:k$)){t1=$v:href$}else{t1="if(!$v:o$['"+$v:secn13$+"']){"+($v:href$==""?"":"var x=function(){"+$v:href$+"};if(x.call){x.call(this)}else{x()}")+"};$f:ck$('"+$v:secn13$+"','"+$v:k$+"')"};
  $f:dw$($f:wa$($v:secn13$,$v:k$,$v:name$,"{"+t1+";return false}","javascript:{\\}","$classSubFolderLine$"+$f:className$($v:k$)));
  $f:dw$($v:name$$subFolderImage$)
}
//anchor of a page link; following a normal link resets the scroll cookies
function $f:clk$($v:secn8$,$v:k$,$v:name$,$v:href$){
  var $v:cn$,$v:ocjs$;
  $linkClass$
  if($f:ii$($v:k$,"j")){
    $v:ocjs$=$v:href$+";return false";
    $v:href$="javascript:{\\}"
  }else{
    $v:ocjs$="$f:ssc$(0,0);return true";
    $v:href$=$f:cnv$($v:href$,$v:k$,$v:name$)
  };
  $f:dw$($f:wa$($v:secn8$,$v:k$,$v:name$,$v:ocjs$,$v:href$,$v:cn$+$f:className$($v:k$)));
  $pageImage$
  $f:dw$($v:name$)
}
//the rest of an opening anchor tag
function $f:wa$($v:secn14$,$v:k$,$v:name$,ocjs,href,cn){
  var t="id='a"+$v:secn14$+"' onclick=\""+ocjs+"\" href=\""+href+"\" onMouseOver=\""+$f:waMO$(cn,$v:name$)+";return true\" onMouseOut=\""+$f:waMT$(cn)+";return true\"$noWrap$ class='"+cn+"'";
  if($f:ii$($v:k$,"e")){t=t+" target=_blank"};
  return t+">"
}
//mouse-over and mouse-out class scripts
function $f:waMO$(cn,$v:str$){
  return $mouseOverScript$
}
function $f:waMT$(cn){
  return $mouseOutScript$
}
//image of a folder or link
function $f:wi$($v:secn14$,gif,h,w){
  return "<img border='0' src='"+gif+"' id='i"+$v:secn14$+"'>&nbsp;"
}
)js";

const QStringView kClicks = uR"js(//click on a folder
function $f:ck$($v:secn8$,$v:k$){
  if(!$f:dropDownMenu$($v:k$)){$f:udc$($v:secn8$)};
  $f:ck2$($v:secn8$)
}
//show or hide a section; older browsers draw the page again
function $f:ck2$($v:secn8$){
  if($v:w3c$){
    var t=$f:go$($v:secn8$);
    if(!t){return};
    if($v:o$[$v:secn8$]){
      $v:o$[$v:secn8$]=false;
      t.style.display="none"
    }else{
      $v:o$[$v:secn8$]=true;
      t.style.display="";
      t.style.zIndex=2000
    };
    $imageSwap$
  }else if($v:gb$){
    $f:sshw$();
    window.location.href=$v:fn$
  }
}
//open a folder on the first load of the page
function $f:osfl$($v:k$,$v:t$,$v:secn9$){
  if($v:fl$&&$f:ii$($v:k$,$v:t$)&&!$f:dropDownMenu$($v:k$)&&$v:uc$){
    $f:osc$($v:secn9$);
    $v:co$=$f:gc$("$cookie$")
  }
}
//is a section a main folder
function $f:ismf$($v:secn12$){
  var p=$v:secn12$.indexOf("d");
  return ($v:secn12$!="out")&&($v:secn12$.indexOf("d",p+1)==-1)
}
//the parent folder of a section; "" for a main folder
function $f:gf$($v:secn2$){
  var p;
  if($v:secn2$.charAt(0)=="b"){$v:secn2$=$v:secn2$.substring(1)};
  p=$v:secn2$.lastIndexOf("d");
  if(p==-1){return ""};
  $v:secn2$=$v:secn2$.substring(0,p);
  if($v:secn2$.indexOf("d")==-1){return ""};
  return $v:secn2$
}
//element by id
function $f:go$($v:secn10$){
  if(document.getElementById){return document.getElementById($v:secn10$)}else{return document.all[$v:secn10$]}
}
//open a section with all its ancestors
function $f:os$($v:secn16$){
  var p;
  if($v:secn16$==""){return};
  if($v:gb$){
    if(!$v:o$[$v:secn16$]){$f:ck2$($v:secn16$)}
  }else{
    p=$v:secn16$.indexOf("d");
    p=$v:secn16$.indexOf("d",p+1);
    while(p!=-1){
      if(!$v:o$[$v:secn16$.substring(0,p)]){$f:ck2$($v:secn16$.substring(0,p))};
      p=$v:secn16$.indexOf("d",p+1)
    };
    if(!$v:o$[$v:secn16$]){$f:ck2$($v:secn16$)}
  }
}
//close a section
function $f:cs$($v:secn16$){
  if($v:o$[$v:secn16$]){$f:ck2$($v:secn16$)}
}
//collect the HTML of the menu
function $f:dw$(str){
  $v:gstr$=$v:gstr$+str
}
//folder image for the state of a section
function $f:gif$($v:secn11$,bool){
  if(bool){
    if($v:o$[$v:secn11$]){return "$mainOpenImage$"}else{return "$mainClosedImage$"}
  }else{
    if($v:o$[$v:secn11$]){return "$subOpenImage$"}else{return "$subClosedImage$"}
  }
}
//does a flag string hold a flag
function $f:ii$(k,b){
  return (k.indexOf(b)!=-1)
}
//a name that would break the page is blanked
function $f:ch$($v:name$){
  if(($v:name$.indexOf("'")!=-1)||($v:name$.indexOf("<\/")!=-1)){return ""};
  return $v:name$
}
)js";

const QStringView kCookies = uR"js(//keep the cookie in step with a click
function $f:udc$($v:secn8$){
  if($v:uc$){
    if($f:sio$($v:co$,$v:secn8$)){$f:csc$($v:secn8$)}else{$f:osc$($v:secn8$)};
    $v:co$=$f:gc$("$cookie$")
  }
}
//cookie for an opened section: its ancestors leave the list
function $f:osc$($v:sec16$){
  var nc="",start=0,end,e;
  end=$v:co$.indexOf("x",start);
  while(end!=-1){
    e=$v:co$.substring(start,end);
    if(!$f:sio$($v:sec16$,e)){nc=nc+e+"x"};
    start=end+1;
    end=$v:co$.indexOf("x",start)
  };
  $f:sc$("$cookie$",nc+$v:sec16$+"x")
}
//cookie for a closed section: it and its descendants leave, its parent stays open
function $f:csc$($v:sec16$){
  var nc="",start=0,end,e;
  end=$v:co$.indexOf("x",start);
  while(end!=-1){
    e=$v:co$.substring(start,end);
    if(!$f:sio$(e+"x",$v:sec16$)){nc=nc+e+"x"};
    start=end+1;
    end=$v:co$.indexOf("x",start)
  };
  if($f:gf$($v:sec16$)!=""){nc=nc+$f:gf$($v:sec16$)+"x"};
  if(nc==""){nc="none"};
  $f:sc$("$cookie$",nc)
}
//is a section open according to a list
function $f:sio$($v:cox$,$v:secn11$){
  return (($v:cox$.indexOf($v:secn11$+"d")!=-1)||($v:cox$.indexOf($v:secn11$+"x")!=-1))
}
//open every section of the list
function $f:oas$(){
  var start=0,end;
  end=$v:co$.indexOf("x",start);
  while(end!=-1){
    $f:os$($v:co$.substring(start,end));
    start=end+1;
    end=$v:co$.indexOf("x",start)
  }
}
//get a cookie; "0" when there is none
function $f:gc$($v:cookieName$){
  var s=document.cookie,start=0,end,e;
  while(start<s.length){
    end=s.indexOf(";",start);
    if(end==-1){end=s.length};
    e=s.indexOf("=",start);
    if((e!=-1)&&(e<end)&&(s.substring(start,e)==$v:cookieName$)){return s.substring(e+1,end)};
    start=end+2
  };
  return "0"
}
//set a cookie for the whole site
function $f:sc$($v:cookieName$,$v:secn$){
  document.cookie=$v:cookieName$+"="+$v:secn$+";path=/"
}
//save the scroll position before the page is drawn again
function $f:sshw$(){
  var l=0,t=0;
  if($v:XOff$){
    l=window.pageXOffset;
    t=window.pageYOffset
  }else if($v:sTop$){
    l=document.body.scrollLeft;
    t=document.body.scrollTop
  };
  $f:ssc$(l,t)
}
function $f:ssc$(l,t){
  $f:sc$("$cookie$Left",l);
  $f:sc$("$cookie$Top",t)
}
//scroll back to the saved position, and again once the page has loaded: while
//the page is still being read it can be too short to scroll that far
function $f:stsc$(){
  var l=parseInt($f:gc$("$cookie$Left")),t=parseInt($f:gc$("$cookie$Top")),x,m;
  if(isNaN(l)){l=0};
  if(isNaN(t)){t=0};
  x=function(){
    if($v:XOff$){
      window.scroll(l,t)
    }else if($v:sTop$){
      document.body.scrollLeft=l;
      document.body.scrollTop=t
    }
  };
  x();
  if(window.addEventListener){
    window.addEventListener("load",x,false)
  }else{
    m=window.onload;
    window.onload=function(){if(m){m()};x()}
  }
}
//do cookies work (overwrites the cookie; the page-load code puts it back)
function $f:ct$(){
  $f:sc$("$cookie$","t");
  return ($f:gc$("$cookie$")=="t")
}
//class-name suffix from the flags: the two characters after "cn"
function $f:className$($v:k$){
  var p=$v:k$.indexOf("cn");
  if(p==-1){return ""};
  return $v:k$.substring(p+2,p+4)
}
)js";

const QStringView kLanguages = uR"js(//the languages of the menu and the entry of the page's language
var $v:langString$='$languages$';
function $f:multilingual$($v:pageName$){
  var $v:firstString$,p=0,l=0,e,m;
  $v:pageName$=""+$v:pageName$;
  e=$v:pageName$.indexOf(";;");
  if(e==-1){e=$v:pageName$.length};
  $v:firstString$=$v:pageName$.substring(0,e);
  while(l<$v:langString$.length){
    m=$v:langString$.indexOf(";;",l);
    if(m==-1){m=$v:langString$.length};
    if(p>=$v:pageName$.length){break};
    e=$v:pageName$.indexOf(";;",p);
    if(e==-1){e=$v:pageName$.length};
    if($v:langString$.substring(l,m)==$languageVariable$){return $v:pageName$.substring(p,e)};
    l=m+2;
    p=e+2
  };
  return $v:firstString$
}
)js";

const QStringView kTransform = uR"js(//the address of every link goes through this function
function $f:cnv$(url,k,name){
$transformBody$
}
)js";

const QStringView kPageLoad = uR"js(//no cookie yet: this is the first load of the page
if($f:gc$("$cookie$")=="0"){$v:fl$=true};
//the open sections of the last visit
if($v:uc$){$v:co$=$f:gc$("$cookie$")};
//do without cookies when the browser refuses them
if($v:uc$&&!$f:ct$()){$v:uc$=false};
//older browsers need cookies to open folders
if($v:gb$&&!$v:uc$){alert("For the tree menu to work properly, you must turn on cookies")};
//put back the cookie that the test overwrote
if($v:uc$){$f:sc$("$cookie$",$v:co$)};
)js";

} // namespace qwk::runtime

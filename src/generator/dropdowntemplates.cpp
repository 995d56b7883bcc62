// The public scripting functions (a web page's own script opens, closes and
// restyles menu entries by their display names) and the mouse-over functions
// of drop-down menus. A drop-down folder opens 400 ms after the mouse rests
// on it; leaving the menu closes the open sections after twice 200 ms unless
// the mouse comes back, which cancels both timers.
#include "generator/runtimetemplates.h"

namespace qwk::runtime {

const QStringView kScripting = uR"js(//scripting functions for web pages: entries are found by their names
function $f:openpage$(ln){
  $f:os$($f:gf$($f:gi$(ln)))
}
function $f:closepage$(ln){
  $f:cs$($f:gf$($f:gi$(ln)))
}
function $f:open$(ln){
  $f:os$($f:gi$(ln))
}
function $f:close$(ln){
  $f:cs$($f:gi$(ln))
}
//set a property (such as style.color) of an entry's box, image or anchor
function $f:swap$(ln,att,val,aic){
  if($v:w3c$){
    var t=$f:go$(aic+$f:gi$(ln));
    if(t){eval("t."+att+"=val")}
  }
}
function $f:swapbox$(ln,att,val){
  $f:swap$(ln,att,val,"c")
}
function $f:swapimage$(ln,att,val){
  $f:swap$(ln,att,val,"i")
}
function $f:swapline$(ln,att,val){
  $f:swap$(ln,att,val,"a")
}
//the section id of the first entry with this name
function $f:gi$($v:name$){
  var p;
  for(p in $v:gn$){if($v:gn$[p]==$v:name$){return p}};
  return "No such link"
}
//the path of an entry: main folder first, the entry last
function $f:gp$($v:name$){
  var $v:sec$,$v:path$;
  $v:path$=$v:name$;
  $v:sec$=$f:gf$($f:gi$($v:name$));
  while($v:sec$!=""){
    $v:path$=$v:gn$[$v:sec$]+"&nbsp;&rarr;&nbsp;"+$v:path$;
    $v:sec$=$f:gf$($v:sec$)
  };
  return $v:path$
}
)js";

const QStringView kMouseOver = uR"js(//mouse-over functions of drop-down menus
function $f:dropDownMenu$($v:k$){
  return ($v:w3c$&&$f:ii$($v:k$,"dd"))
}
//place an opened section beside, below, above or left of its folder
function $f:setPosition$($v:secn9$,$v:k$){
  var $v:pTop$,$v:pLeft$,$v:obj$,$v:objNew$,$v:fTop$,$v:fLeft$,$v:fShift$,$v:t$;
  $v:fTop$=$f:ii$($v:k$,"to");
  $v:fLeft$=$f:ii$($v:k$,"le");
  $v:t$=$v:k$.indexOf(".");
  if($v:t$==-1){
    $v:fShift$=1
  }else{
    $v:fShift$=parseFloat($v:k$.substring($v:t$,$v:t$+3));
    if(isNaN($v:fShift$)){$v:fShift$=1}
  };
  $v:obj$=$f:go$("c"+$v:secn9$);
  $v:objNew$=$f:go$($v:secn9$);
  if(!$v:obj$||!$v:objNew$){return};
  $v:pLeft$=$f:totalLeft$($v:obj$);
  $v:pTop$=$f:totalTop$($v:obj$);
  if($v:fTop$){
    $v:pTop$=$v:pTop$-$v:objNew$.offsetHeight;
    if($v:fShift$==1){$v:pTop$=$v:pTop$+$v:obj$.offsetHeight}
  }else{
    if($v:fShift$!=1){$v:pTop$=$v:pTop$+$v:obj$.offsetHeight}
  };
  if(!$v:fLeft$){
    $v:pLeft$=$v:pLeft$+$v:obj$.offsetWidth*$v:fShift$
  }else{
    $v:pLeft$=$v:pLeft$-$v:objNew$.offsetWidth*$v:fShift$
  };
  $v:objNew$.style.left=$v:pLeft$+"px";
  $v:objNew$.style.top=$v:pTop$+"px"
}
//offsets up to the first placed element (absolute, relative, fixed or sticky,
//by the page's style sheet or the menu's own style): the opened section is
//placed inside that element, so its offsets must not be counted. Stopping at
//absolute elements only put menus inside a placed page header far off.
function $f:totalTop$($v:obj$){
  var t=0,p;
  while($v:obj$){
    p=$v:obj$.style?$v:obj$.style.position:"";
    if(window.getComputedStyle&&($v:obj$.nodeType==1)){p=window.getComputedStyle($v:obj$,null).position}else if($v:obj$.currentStyle){p=$v:obj$.currentStyle.position};
    if(p&&(p!="static")){break};
    t=t+$v:obj$.offsetTop;
    $v:obj$=$v:obj$.offsetParent
  };
  return t
}
function $f:totalLeft$($v:obj$){
  var t=0,p;
  while($v:obj$){
    p=$v:obj$.style?$v:obj$.style.position:"";
    if(window.getComputedStyle&&($v:obj$.nodeType==1)){p=window.getComputedStyle($v:obj$,null).position}else if($v:obj$.currentStyle){p=$v:obj$.currentStyle.position};
    if(p&&(p!="static")){break};
    t=t+$v:obj$.offsetLeft;
    $v:obj$=$v:obj$.offsetParent
  };
  return t
}
//the mouse enters an entry: open it after a pause
function $f:mi$($v:secn9$,$v:k$,evt){
  if(window.event){window.event.cancelBubble=true}else if(evt){evt.cancelBubble=true};
  if(!$f:ii$($v:k$,"nf")){
    if($v:intTime2$){clearTimeout($v:intTime2$)};
    if($v:intTime$){clearTimeout($v:intTime$)};
    $v:intTime$=setTimeout(function(){$f:mi2$($v:secn9$,$v:k$)},400)
  }
}
//the mouse leaves a folder: close the menu after a pause
function $f:mo$($v:secn9$,$v:k$,evt){
  if(window.event){window.event.cancelBubble=true}else if(evt){evt.cancelBubble=true};
  if(!$f:ii$($v:k$,"nf")){
    if($v:intTime$){clearTimeout($v:intTime$)};
    $v:intTime$=setTimeout(function(){$f:mo2$()},200)
  }
}
//bring the open sections in line with the entry under the mouse
function $f:mi2$($v:secn9$,$v:k$){
  if($v:secn9$.charAt(0)=="b"){
    $v:secn9$=$f:gf$($v:secn9$.substring(1));
    while($v:secn9$.indexOf($v:osec$)==-1){$f:ck2$($v:osec$);$v:osec$=$f:gf$($v:osec$)}
  }else if($v:osec$==""){
    $f:ck2$($v:secn9$);
    $f:setPosition$($v:secn9$,$v:k$);
    $v:osec$=$v:secn9$
  }else if($v:secn9$.indexOf($v:osec$+"d")!=-1){
    $f:ck2$($v:secn9$);
    $f:setPosition$($v:secn9$,$v:k$);
    $v:osec$=$v:secn9$
  }else if($v:osec$.indexOf($v:secn9$+"d")!=-1){
    while($v:osec$.indexOf($v:secn9$+"d")!=-1){$f:ck2$($v:osec$);$v:osec$=$f:gf$($v:osec$)}
  }else{
    $f:ck2$($v:osec$);
    $v:osec$=$f:gf$($v:osec$);
    while($v:secn9$.indexOf($v:osec$+"d")==-1){$f:ck2$($v:osec$);$v:osec$=$f:gf$($v:osec$)};
    if(!$v:o$[$v:secn9$]){
      $f:ck2$($v:secn9$);
      $f:setPosition$($v:secn9$,$v:k$);
      $v:osec$=$v:secn9$
    }
  }
}
function $f:mo2$(){
  $v:intTime2$=setTimeout(function(){$f:timeout$()},200)
}
//close every open drop-down section
function $f:timeout$(){
  while($v:osec$!=""){$f:ck2$($v:osec$);$v:osec$=$f:gf$($v:osec$)}
}
)js";

} // namespace qwk::runtime

// The runtime of the accessible menu script. The data calls record the tree
// in memory; the draw call builds a <nav> of nested lists with a button per
// folder (aria-expanded, aria-controls) and an anchor per page. Closed
// folders are built when first opened. One set of delegated listeners on the
// nav handles clicks, keys, hover and touch, so the page needs no inline
// handlers, no "javascript:" addresses, no document.write and no eval; the
// script works loaded normally, deferred, async or added after load. The
// author's folder and link scripts arrive as function literals in the data.
//
// Only the names pages and authors use are global ($f:...$, $v:...$); the
// rest lives in one closure, so several menus share a page.
#include "generator/accessibletemplates.h"

namespace qwk::runtime {

const QStringView kAccessibleRuntime = uR"js(//the globals that pages and authors' scripts use
var $v:agt$=navigator.userAgent.toLowerCase();
var $v:pi$=parseInt(navigator.appVersion);
var $v:ie$=(($v:agt$.indexOf("msie")!=-1)&&(document.all)?true:false);
var $v:w3c$=!!document.getElementById;
var $v:gb$=false;
var $v:mac$=($v:agt$.indexOf("mac")!=-1);
var $v:co$="";
var $v:gn$=new Object();
var $v:gstr$="";
var $v:fn$=document.location;
(function(){
//the script element, known only while the script first runs
var me=document.currentScript||null;
var menuId="$menuId$",menuLabel="$menuLabel$",cookieName="$cookie$",useCookies=$useCookies$;
var C={mfb:"$classMainFolderBox$",mfp:"$classMainFolderPage$",mfl:"$classMainFolderLine$",sfb:"$classSubFolderBox$",sfp:"$classSubFolderPage$",sfl:"$classSubFolderLine$",lb:"$classLinkBox$",lp:"$classLinkPage$",ll:"$classLinkLine$",tb:"$classMenuTreeBox$"};
var opt={mainImages:$mainImages$,subImages:$subImages$,linkImage:$linkImage$,topLinkCss:$topLinkCss$,momo:$momo$,noWrap:$noWrap$,mainIndent:$mainIndent$,subIndent:$subIndent$};
var img={mo:"$mainOpenImage$",mc:"$mainClosedImage$",so:"$subOpenImage$",sc:"$subClosedImage$",pl:"$linkImageAddress$"};
//the recorded tree: columns of top-level entries, folders with their entries
var root={id:"",kids:[],cols:[[]],built:true,kind:"root"},stack=[root],byId={},links=[];
var pathText="",nav=null,drawn=false,dropDown=false,current=null,o={},osec="",t1=0,t2=0,touch=false,firstLoad=false;
function ii(k,b){return k.indexOf(b)!=-1}
function cls(k){var p=k.indexOf("cn");return p==-1?"":k.substring(p+2,p+4)}
function go(id){return document.getElementById(id)}
function mk(tag,className){var e=document.createElement(tag);if(className){e.className=className};return e}
//the parent folder of a section id; "" for a main folder
function gf(s){
  var p;
  s=""+s;
  if(s.charAt(0)=="b"){s=s.substring(1)};
  p=s.lastIndexOf("d");
  if(p==-1){return ""};
  s=s.substring(0,p);
  if(s.indexOf("d")==-1){return ""};
  return s
}
//cookies: the open sections as ids each followed by "x"
function gc(name){
  var s=document.cookie,start=0,end,e;
  while(start<s.length){
    end=s.indexOf(";",start);
    if(end==-1){end=s.length};
    e=s.indexOf("=",start);
    if((e!=-1)&&(e<end)&&(s.substring(start,e)==name)){return s.substring(e+1,end)};
    start=end+2
  };
  return "0"
}
function sc(name,value){document.cookie=name+"="+value+";path=/"}
function sio(list,s){return (list.indexOf(s+"d")!=-1)||(list.indexOf(s+"x")!=-1)}
function osc(s){
  var nc="",start=0,end,e,co=$v:co$;
  end=co.indexOf("x",start);
  while(end!=-1){e=co.substring(start,end);if(!sio(s,e)){nc=nc+e+"x"};start=end+1;end=co.indexOf("x",start)};
  sc(cookieName,nc+s+"x")
}
function csc(s){
  var nc="",start=0,end,e,co=$v:co$;
  end=co.indexOf("x",start);
  while(end!=-1){e=co.substring(start,end);if(!sio(e+"x",s)){nc=nc+e+"x"};start=end+1;end=co.indexOf("x",start)};
  if(gf(s)!=""){nc=nc+gf(s)+"x"};
  if(nc==""){nc="none"};
  sc(cookieName,nc)
}
function udc(s){
  if(useCookies){
    if(sio($v:co$,s)){csc(s)}else{osc(s)};
    $v:co$=gc(cookieName)
  }
}
function ssc(l,t){sc(cookieName+"Left",l);sc(cookieName+"Top",t)}
//the open sections of the last visit; without a cookie this is the first visit
if(gc(cookieName)=="0"){firstLoad=true};
if(useCookies){$v:co$=gc(cookieName)};
if(useCookies){sc(cookieName,"t");if(gc(cookieName)!="t"){useCookies=false}};
if(useCookies){sc(cookieName,$v:co$)};
//recording the data calls
function add(id,k,name,href,width,kind){
  var parent=stack[stack.length-1],n;
  k=""+k;
  $nameTranslation$
  n={id:id,k:k,name:name,href:href,w:width,kind:kind,kids:[],parent:parent,main:parent===root,built:false};
  if(n.main){root.cols[root.cols.length-1].push(n)}else{parent.kids.push(n)};
  byId[id]=n;
  $v:gn$[id]=name;
  if(kind=="folder"&&firstLoad&&useCookies&&!ii(k,"dd")&&ii(k,n.main?"mfo":"sfo")){osc(id);$v:co$=gc(cookieName)};
  if(kind=="page"&&!ii(k,"nl")&&!ii(k,"j")){links.push(n)};
  return n
}
window.$f:mf$=function(id,k,name,href,width){stack.push(add(id,k,name,href,width,ii(""+k,"nf")?"page":"folder"))};
window.$f:sf$=function(id,k,name,href,width){stack.push(add(id,k,name,href,width,"folder"))};
window.$f:lk$=function(id,k,name,href,width){add("b"+id,k,name,href,width,"page")};
window.$f:col$=function(){if(stack.length==1){root.cols.push([])}};
window.$f:de$=function(){if(stack.length>1){stack.pop()}};
window.$f:dw$=function(s){$v:gstr$=$v:gstr$+s};
//the start call: the style sheets collected before the data (the project's,
//then the page language's) go into the page's head
window.$f:start$=function(){
  var s=$v:gstr$,a,b,e,css="";
  $v:gstr$="";
  a=s.indexOf("<style>");
  while(a!=-1){
    b=s.indexOf("</style>",a);
    if(b==-1){break};
    css=css+s.substring(a+7,b)+"\n";
    a=s.indexOf("<style>",b)
  };
  if(css!=""){
    e=mk("style");
    e.textContent=css;
    (document.head||document.documentElement).appendChild(e)
  }
};
//the address of a page link, through the page's own hook
function address(n){return $f:cnv$(n.href,n.k,n.name)}
//is this the page being shown: path and query alike, "/dir/" the same as "/dir/index.html"
function samePage(href){
  var a,here=location,last=(""+href).split(/[?#]/)[0];
  //a quick look at the file name first: a full address is worked out for few links
  last=last.substring(last.lastIndexOf("/")+1);
  if(last!=""&&!/^index\.html?$$/i.test(last)&&here.pathname.indexOf(last)==-1&&pathText.indexOf(last)==-1){return false};
  try{a=new URL(href,document.baseURI)}catch(x){return false};
  if(a.origin!=here.origin||a.search!=here.search){return false};
  function p(x){return x.replace(/\/index\.html?$$/i,"/")}
  return p(a.pathname)==p(here.pathname)
}
//the element of one entry; a folder's list stays empty until it is opened
function entry(n){
  var c=cls(n.k),li=mk("li"),line,u,i,lc;
  li.id="c"+n.id;
  if(n.kind=="folder"){
    li.className=(n.main?C.mfb:C.sfb)+c;
    line=mk("button",(n.main?C.mfl:C.sfl)+c);
    line.type="button";
    line.setAttribute("aria-expanded","false");
    line.setAttribute("aria-controls",n.id);
    line.innerHTML=n.name;
    if(n.main?opt.mainImages:opt.subImages){i=mk("img");i.id="i"+n.id;i.alt="";i.src=n.main?img.mc:img.sc;line.appendChild(i)};
    u=mk("ul",n.main?C.mfp:C.sfp);
    u.id=n.id;
    u.hidden=true;
    if(ii(n.k,"dd")){u.style.position="absolute";u.style.zIndex=2000}
  }else{
    li.className=n.main?C.mfb+c:C.lb+c+" "+C.lp;
    lc=(opt.topLinkCss&&ii(n.k,"nf")?C.mfl:C.ll)+c;
    if(ii(n.k,"nl")){line=mk("span",lc)}else if(ii(n.k,"j")){line=mk("button",lc);line.type="button"}else{
      line=mk("a",lc);
      line.href=address(n);
      if(ii(n.k,"e")){line.target="_blank";line.rel="noopener"};
      if(n===current){line.setAttribute("aria-current","page")}
    };
    line.innerHTML=n.name;
    if(opt.linkImage&&!ii(n.k,"nm")&&!ii(n.k,"nl")){i=mk("img");i.id="i"+n.id;i.alt="";i.src=img.pl;line.insertBefore(i,line.firstChild)};
    if(ii(n.k,"e")&&!ii(n.k,"nl")&&!ii(n.k,"j")){i=mk("span","qwk-sr");i.textContent=" (opens in a new window)";line.appendChild(i)}
  };
  line.id="a"+n.id;
  li.appendChild(line);
  if(u){li.appendChild(u)};
  dress(n,li,line);
  return li
}
//what the static fragment leaves to the script: indents, widths, no-wrap, the mouse-over class
function dress(n,li,line){
  line.qwkClass=line.className;
  if(opt.noWrap){line.style.whiteSpace="nowrap"};
  if(!dropDown){li.style.marginLeft=(n.main?opt.mainIndent:opt.subIndent)+"px"};
  if(/^\d+$$/.test(n.w)){li.style.width=n.w+"px"}else if(/^\d+(\.\d+)?(px|%|em|rem)$$/.test(n.w)){li.style.width=n.w}
}
//fill a folder's list the first time it is needed
function build(n){
  var u,i;
  if(n.built){return};
  n.built=true;
  u=go(n.id);
  if(!u){return};
  for(i=0;i<n.kids.length;i++){u.appendChild(entry(n.kids[i]))}
}
//build every folder above an entry, so that its element exists
function ensure(n){
  var chain=[],p=n.parent,i;
  while(p&&p!==root){chain.unshift(p);p=p.parent};
  for(i=0;i<chain.length;i++){build(chain[i])}
}
//show or hide a folder's list, with its button's state and image
function ck2(s){
  var n=byId[s],u,b,i;
  if(!n||n.kind!="folder"||!nav){return};
  ensure(n);
  if(!o[s]){build(n)};
  u=go(s);
  if(!u){return};
  o[s]=!o[s];
  u.hidden=!o[s];
  b=go("a"+s);
  if(b){b.setAttribute("aria-expanded",o[s]?"true":"false")};
  i=go("i"+s);
  if(i){i.src=n.main?(o[s]?img.mo:img.mc):(o[s]?img.so:img.sc)};
  if(o[s]&&dropDown){setPosition(s,n.k)}
}
//open a section with all its ancestors; close one section
function os(s){
  var n=byId[s],chain=[],i;
  if(!n){return};
  while(n&&n!==root){chain.unshift(n.id);n=n.parent};
  for(i=0;i<chain.length;i++){if(!o[chain[i]]){ck2(chain[i])}}
}
function cs(s){if(o[s]){ck2(s)}}
function oas(){
  var co=$v:co$,start=0,end;
  end=co.indexOf("x",start);
  while(end!=-1){os(co.substring(start,end));start=end+1;end=co.indexOf("x",start)}
}
//drop-down sections: placed beside, below, above or left of their folder
function offsets(e,top){
  var t=0,p;
  while(e){
    p=e.nodeType==1?getComputedStyle(e).position:"";
    if(p&&p!="static"){break};
    t=t+(top?e.offsetTop:e.offsetLeft);
    e=e.offsetParent
  };
  return t
}
function setPosition(s,k){
  var box=go("c"+s),u=go(s),fTop=ii(k,"to"),fLeft=ii(k,"le"),p=k.indexOf("."),shift=1,top,left;
  if(p!=-1){shift=parseFloat(k.substring(p,p+3));if(isNaN(shift)){shift=1}};
  if(!box||!u){return};
  left=offsets(box,false);
  top=offsets(box,true);
  if(fTop){top=top-u.offsetHeight;if(shift==1){top=top+box.offsetHeight}}else if(shift!=1){top=top+box.offsetHeight};
  if(!fLeft){left=left+box.offsetWidth*shift}else{left=left-u.offsetWidth*shift};
  u.style.left=left+"px";
  u.style.top=top+"px"
}
//bring the open drop-down sections in line with an entry
function mi2(s,k){
  if(s.charAt(0)=="b"){
    s=gf(s.substring(1));
    while(s.indexOf(osec)==-1){ck2(osec);osec=gf(osec)}
  }else if(osec==""){
    ck2(s);osec=s
  }else if(s.indexOf(osec+"d")!=-1){
    ck2(s);osec=s
  }else if(osec.indexOf(s+"d")!=-1){
    while(osec.indexOf(s+"d")!=-1){ck2(osec);osec=gf(osec)}
  }else if(osec!=s){
    ck2(osec);osec=gf(osec);
    while(osec!=""&&s.indexOf(osec+"d")==-1){ck2(osec);osec=gf(osec)};
    if(!o[s]){ck2(s);osec=s}
  }
}
function timeout(){while(osec!=""){if(o[osec]){ck2(osec)};osec=gf(osec)}}
function stopTimers(){if(t1){clearTimeout(t1);t1=0};if(t2){clearTimeout(t2);t2=0}}
//close a drop-down section and whatever is open inside it
function ddClose(s){
  while(osec!=""&&(osec==s||osec.indexOf(s+"d")==0)){if(o[osec]){ck2(osec)};osec=gf(osec)};
  if(o[s]){ck2(s)}
}
//the entry an event happened in: its node and its element
function hit(t){
  while(t&&t!==nav){
    if(t.id&&t.tagName=="LI"&&byId[t.id.substring(1)]){return byId[t.id.substring(1)]};
    t=t.parentNode
  };
  return null
}
function lineOf(t){
  while(t&&t!==nav){if(t.id&&t.id.charAt(0)=="a"&&byId[t.id.substring(1)]){return t};t=t.parentNode};
  return null
}
function runScript(n,el){
  if(typeof n.href=="function"){try{n.href.call(el)}catch(x){setTimeout(function(){throw x},0)}}
}
function onClick(e){
  var line=lineOf(e.target),n;
  if(!line){return};
  n=byId[line.id.substring(1)];
  if(n.kind=="folder"){
    e.preventDefault();
    if(!dropDown){
      if(!o[n.id]){runScript(n,line)};
      udc(n.id);
      ck2(n.id)
    }else{
      stopTimers();
      if(o[n.id]){ddClose(n.id)}else{runScript(n,line);mi2(n.id,n.k)}
    }
  }else if(ii(n.k,"j")){
    runScript(n,line)
  }else if(line.tagName=="A"){
    ssc(0,0)
  }
}
//the top-level entries' line elements, for the arrow keys
function topLines(){
  var out=[],i,j,c;
  for(i=0;i<root.cols.length;i++){c=root.cols[i];for(j=0;j<c.length;j++){if(go("a"+c[j].id)){out.push(go("a"+c[j].id))}}};
  return out
}
function onKey(e){
  var line=lineOf(e.target),n=line?byId[line.id.substring(1)]:null,all,i,across,step=0,s;
  if(e.key=="Escape"||e.key=="Esc"){
    if(dropDown&&osec!=""){
      s=osec;
      while(s!=""&&go("a"+s)!==e.target&&!(go(s)&&go(s).contains(e.target))){s=gf(s)};
      if(s==""){s=osec;while(gf(s)!=""){s=gf(s)}};
      stopTimers();
      ddClose(s);
      if(go("a"+s)){go("a"+s).focus()};
      e.preventDefault()
    };
    return
  };
  if(!n||!n.main){return};
  all=topLines();
  i=all.indexOf(line);
  across=all.length>1&&Math.abs(all[0].getBoundingClientRect().top-all[1].getBoundingClientRect().top)<2;
  if(across&&e.key=="ArrowRight"||!across&&e.key=="ArrowDown"){step=1};
  if(across&&e.key=="ArrowLeft"||!across&&e.key=="ArrowUp"){step=-1};
  if(step&&i!=-1){
    e.preventDefault();
    i=(i+step+all.length)%all.length;
    if(dropDown&&osec!=""){timeout()};
    all[i].focus()
  }
}
function onOver(e){
  var n=hit(e.target),line=lineOf(e.target);
  if(opt.momo&&line&&!line.contains(e.relatedTarget)){line.className=line.qwkClass+"MouseOver"};
  if(!dropDown||touch||!n||ii(n.k,"nf")){return};
  stopTimers();
  t1=setTimeout(function(){t1=0;mi2(n.id,n.k)},400)
}
function onOut(e){
  var n=hit(e.target),line=lineOf(e.target);
  if(opt.momo&&line&&!line.contains(e.relatedTarget)){line.className=line.qwkClass};
  if(!dropDown||touch||!n||ii(n.k,"nf")){return};
  if(t1){clearTimeout(t1)};
  t1=setTimeout(function(){t1=0;t2=setTimeout(function(){t2=0;timeout()},200)},200)
}
function onFocus(e){
  var line=lineOf(e.target);
  if(opt.momo&&line){line.className=line.qwkClass+"MouseOver"}
}
function onBlur(e){
  var line=lineOf(e.target);
  if(opt.momo&&line){line.className=line.qwkClass};
  if(dropDown&&e.relatedTarget&&!nav.contains(e.relatedTarget)){stopTimers();timeout()}
}
function onPointer(e){touch=e.pointerType=="touch"}
//the static fragment: lists already there, closed here
function enhance(list){
  var i,n,u,b;
  for(i=0;i<list.length;i++){
    n=list[i];
    if(n.kind!="folder"){continue};
    u=go(n.id);
    b=go("a"+n.id);
    if(u){n.built=true;u.hidden=true;if(ii(n.k,"dd")){u.style.position="absolute";u.style.zIndex=2000}};
    if(b){b.setAttribute("aria-expanded","false")};
    if(go("i"+n.id)){go("i"+n.id).src=n.main?img.mc:img.sc};
    enhance(n.kids)
  }
}
function lines(list){
  var i,n,e;
  for(i=0;i<list.length;i++){
    n=list[i];
    e=go("a"+n.id);
    if(e&&go("c"+n.id)){dress(n,go("c"+n.id),e);if(n===current){e.setAttribute("aria-current","page")}};
    if(n.kind=="folder"&&n.built){lines(n.kids)}
  }
}
//columns side by side and sized to their entries, as the cells of a table; lists
//without bullets. The rules weigh nothing (:where), so any style sheet of the
//page overrides them. One element serves every menu of the page.
function baseStyle(){
  var e;
  if(go("qwk-menu-base")){return};
  e=mk("style");
  e.id="qwk-menu-base";
  e.textContent=":where(nav.qwk-menu){display:flex;align-items:flex-start}:where(nav.qwk-menu ul){list-style:none;margin:0;padding:0}";
  (document.head||document.documentElement).insertBefore(e,(document.head||document.documentElement).firstChild)
}
//the draw call: the menu goes into the element with the menu's id, or where the script stands
window.$f:draw$=function(){
  var host,i,j,u,inside,all=[];
  if(drawn){return};
  host=go(menuId);
  inside=me&&document.body&&document.body.contains(me);
  if(!host&&document.readyState=="loading"&&!inside){document.addEventListener("DOMContentLoaded",window.$f:draw$);return};
  drawn=true;
  for(i=0;i<root.cols.length;i++){for(j=0;j<root.cols[i].length;j++){all.push(root.cols[i][j]);if(ii(root.cols[i][j].k,"dd")){dropDown=true}}};
  try{pathText=decodeURI(location.pathname)}catch(x){pathText=location.pathname};
  for(i=0;i<links.length&&!current;i++){if(samePage(address(links[i]))){current=links[i]}};
  if(host&&host.tagName=="NAV"){nav=host}else if(host){nav=host.querySelector("nav[data-qwk-static]")}else{nav=null};
  if(!nav){
    nav=mk("nav");
    if(!host){nav.id=menuId};
    if(host){host.appendChild(nav)}else if(inside){me.parentNode.insertBefore(nav,me.nextSibling)}else{document.body.appendChild(nav)}
  };
  baseStyle();
  nav.className=C.tb+(dropDown?" qwk-menu qwk-dropdown":" qwk-menu qwk-tree");
  if($centered$){nav.style.justifyContent="center"};
  nav.setAttribute("aria-label",menuLabel);
  if(nav.hasAttribute("data-qwk-static")){
    enhance(all);
    lines(all)
  }else{
    while(nav.firstChild){nav.removeChild(nav.firstChild)};
    for(i=0;i<root.cols.length;i++){
      u=mk("ul","qwk-column");
      if($fullWidth$){u.style.flex="1 1 auto"};
      for(j=0;j<root.cols[i].length;j++){u.appendChild(entry(root.cols[i][j]))};
      nav.appendChild(u)
    }
  };
  nav.addEventListener("click",onClick,false);
  nav.addEventListener("keydown",onKey,false);
  nav.addEventListener("mouseover",onOver,false);
  nav.addEventListener("mouseout",onOut,false);
  nav.addEventListener("focusin",onFocus,false);
  nav.addEventListener("focusout",onBlur,false);
  nav.addEventListener("pointerdown",onPointer,false);
  document.addEventListener("pointerdown",onPointer,true);
  document.addEventListener("click",function(e){if(dropDown&&osec!=""&&!nav.contains(e.target)){stopTimers();timeout()}},false);
  //the folders the cookie remembers, and the current page's folders
  if(!dropDown&&useCookies){oas()};
  if(current&&!dropDown){os(gf(current.id))}
};
//functions for the page's own script; entries are found by their names
window.$f:go$=go;
window.$f:gf$=gf;
window.$f:os$=os;
window.$f:cs$=cs;
window.$f:udc$=udc;
window.$f:timeout$=function(){stopTimers();timeout()};
window.$f:gi$=function(name){
  var p,gn=$v:gn$;
  for(p in gn){if(gn[p]==name){return p}};
  return "No such link"
};
window.$f:gp$=function(name){
  var s,path=name,gn=$v:gn$;
  s=gf(window.$f:gi$(name));
  while(s!=""){path=gn[s]+"&nbsp;&rarr;&nbsp;"+path;s=gf(s)};
  return path
};
window.$f:openpage$=function(ln){os(gf(window.$f:gi$(ln)))};
window.$f:closepage$=function(ln){cs(gf(window.$f:gi$(ln)))};
window.$f:open$=function(ln){os(window.$f:gi$(ln))};
window.$f:close$=function(ln){cs(window.$f:gi$(ln))};
//set a property (such as style.color) of an entry's box, image or line: the dotted path is walked
window.$f:swap$=function(ln,att,val,aic){
  var s=window.$f:gi$(ln),n=byId[s],t,p,i;
  if(n){ensure(n)};
  t=go(aic+s);
  if(!t){return};
  p=(""+att).split(".");
  for(i=0;i<p.length-1;i++){t=t[p[i]];if(t==null){return}};
  t[p[p.length-1]]=val
};
window.$f:swapbox$=function(ln,att,val){window.$f:swap$(ln,att,val,"c")};
window.$f:swapimage$=function(ln,att,val){window.$f:swap$(ln,att,val,"i")};
window.$f:swapline$=function(ln,att,val){window.$f:swap$(ln,att,val,"a")};
})();
)js";

} // namespace qwk::runtime

// Menu script written by Quenwick. It is written anew on every run: change the project, not this file.
var qCO="";
var qV3=true;
var qGSTR="";
var qV4=new Object();
var qGN=new Object();
var qV5=false;
var qFN=document.location;
var qV6=0;
var qV7=0;
var qV0=false;
var qV1=false;
var qV8="";
var qV9;
var qV10;
var qAGT=navigator.userAgent.toLowerCase();
var qPI=parseInt(navigator.appVersion);
var qIE=((qAGT.indexOf("msie")!=-1)&&(document.all)?true:false);
var qW3C=false;
var qGB=false;
if(document.getElementById){qW3C=true};
qGB=!qW3C;
var qMAC=(qAGT.indexOf("mac")!=-1);
if(qGB){qV3=true};
function qMF(qV11,qV12,qV13,qV14,qV15){
qGN[qV11]=qV13;
if(qW3C){
var t,t1,t2,t3,t4;
if(qV15==""){t=""}else{t="width="+qV15};
if(qF2(qV12)){
t1=" onMouseOut=\"qF3('"+qV11+"','"+qV12+"',event)\" onMouseOver=\"qF4('"+qV11+"','"+qV12+"',event)\"";
t2="display:None;position:absolute";
t3=" style='cursor:pointer'"
}else{
t1="";
t2="display:None";
t3=" style='cursor:pointer;margin-left:9px'"
};
if(qF5(qV12,"nf")){t4="a"}else{t4="span"};
qDW("<div id='c"+qV11+"'"+t1+" class='MainFolderBox"+qF6(qV12)+"'"+t3+"><table "+t+" border='0' cellspacing='0' cellpadding='0'><tr><td>");
if(qF5(qV12,"nl")){qDW(qV13)}else{qDW("<"+t4+" ");qF7(qV11,qV12,qV13,qV14);qDW("</"+t4+">")};
qDW("</td></tr></table><div class='MainFolderPage' id='"+qV11+"' style='"+t2+"'>")
}else if(qGB){
qDW("<p id='c"+qV11+"' class='MainFolderBox"+qF6(qV12)+"' style='margin-left:9px'><a ");
qF7(qV11,qV12,qV13,qV14);
qDW("</a></p>");
if(qF8(qCO,qV11)){qV7=0;qV6=18}else{qV7=1}
}
}
function qF7(qV11,qV12,qV13,qV14){
if(qF5(qV12,"nf")){qF9(qV11,qV12,qV13,qV14)}else{qF10(qV11,qV12,qV13,qV14)}
}
function qSF(qV16,qV12,qV13,qV14,qV15){
qGN[qV16]=qV13;
if(qW3C){
var t,t1,t2,t3;
if(qV15==""){t=""}else{t="width="+qV15};
if(qF2(qV12)){
t1=" onMouseOut=\"qF3('"+qV16+"','"+qV12+"',event)\" onMouseOver=\"qF4('"+qV16+"','"+qV12+"',event)\"";
t2="display:None;position:absolute";
t3=""
}else{
t1="";
t2="display:None";
t3=" style='margin-left:9px'"
};
qDW("<div id='c"+qV16+"'"+t1+" class='SubFolderBox"+qF6(qV12)+"'"+t3+"><table "+t+" border='0' cellspacing='0' cellpadding='0'><tr><td><span ");
qF11(qV16,qV12,qV13,qV14);
qDW("</span></td></tr></table><div class='SubFolderPage' id='"+qV16+"' style='"+t2+"'>")
}else if(qGB){
if(qF8(qCO,qGF(qV16))){
qDW("<p id='c"+qV16+"' class='SubFolderBox"+qF6(qV12)+"' style='margin-left:"+qV6+"px'><a ");
qF11(qV16,qV12,qV13,qV14);
qDW("</a></p>")
};
if(qF8(qCO,qV16)){qV7=0;qV6=qV6+(9)}else{qV7=qV7+1}
}
}
function qLK(qV17,qV12,qV13,qV14,qV15){
qV17="b"+qV17;
qGN[qV17]=qV13;
if(qW3C){
var t,t1,t2;
if(qV15==""){t=""}else{t="width="+qV15};
if(qF2(qV12)){
t1="";
t2=" onMouseOver=\"qF4('"+qV17+"','',event)\""
}else{
t1=" style='margin-left:9px'";
t2=""
};
qDW("<div id='c"+qV17+"'"+t2+" class='LinkBox"+qF6(qV12)+"'"+t1+"><table "+t+" border='0' cellspacing='0' cellpadding='0'><tr><td class='LinkPage'>");
if(qF5(qV12,"nl")){qDW(qV13)}else{qDW("<a ");qF9(qV17,qV12,qV13,qV14);qDW("</a>")};
qDW("</td></tr></table></div>")
}else if(qGB){
if(qV7==0){
qDW("<p id='c"+qV17+"' class='LinkBox"+qF6(qV12)+"' style='margin-left:"+qV6+"px'>");
if(qF5(qV12,"nl")){qDW(qV13)}else{qDW("<a ");qF9(qV17,qV12,qV13,qV14);qDW("</a>")};
qDW("</p>")
}
}
}
function qCOL(){
qDW("</td><td class='MenuTreeBox' valign='top'>")
}
function qDE(){
if(qW3C){
qDW("</div></div>")
}else if(qGB){
if(qV7==0){qV6=qV6-(9)}else{qV7=qV7-1}
}
}
function qF10(qV18,qV12,qV13,qV14){
var t1;
qF12(qV12,"mfo",qV18);
if(qGB&&qF8(qCO,qV18)){qV4[qV18]=true};
if(qF2(qV12)){t1=qV14}else{t1="if(!qV4['"+qV18+"']){"+(qV14==""?"":"var x=function(){"+qV14+"};if(x.call){x.call(this)}else{x()}")+"};qF13('"+qV18+"','"+qV12+"')"};
qDW(qF14(qV18,qV12,qV13,"{"+t1+";return false}","javascript:{\\}","MainFolderLine"+qF6(qV12)));
qDW(qV13+"")
}
function qF11(qV19,qV12,qV13,qV14){
var t1;
qF12(qV12,"sfo",qV19);
if(qGB&&qF8(qCO,qV19)){qV4[qV19]=true};
if(qF2(qV12)){t1=qV14}else{t1="if(!qV4['"+qV19+"']){"+(qV14==""?"":"var x=function(){"+qV14+"};if(x.call){x.call(this)}else{x()}")+"};qF13('"+qV19+"','"+qV12+"')"};
qDW(qF14(qV19,qV12,qV13,"{"+t1+";return false}","javascript:{\\}","SubFolderLine"+qF6(qV12)));
qDW(qV13+"")
}
function qF9(qV17,qV12,qV13,qV14){
var qV2,qV20;
qV2="LinkLine";
if(qF5(qV12,"j")){
qV20=qV14+";return false";
qV14="javascript:{\\}"
}else{
qV20="qF15(0,0);return true";
qV14=qCNV(qV14,qV12,qV13)
};
qDW(qF14(qV17,qV12,qV13,qV20,qV14,qV2+qF6(qV12)));
qDW(qV13)
}
function qF14(qV21,qV12,qV13,ocjs,href,cn){
var t="id='a"+qV21+"' onclick=\""+ocjs+"\" href=\""+href+"\" onMouseOver=\""+qF16(cn,qV13)+";return true\" onMouseOut=\""+qF17(cn)+";return true\" style='white-space:nowrap;' class='"+cn+"'";
if(qF5(qV12,"e")){t=t+" target=_blank"};
return t+">"
}
function qF16(cn,qV22){
return "if(qW3C){this.className='"+cn+"MouseOver'}"
}
function qF17(cn){
return "if(qW3C){this.className='"+cn+"'}"
}
function qF18(qV21,gif,h,w){
return "<img border='0' src='"+gif+"' id='i"+qV21+"'>&nbsp;"
}
function qF13(qV17,qV12){
if(!qF2(qV12)){qUDC(qV17)};
qF19(qV17)
}
function qF19(qV17){
if(qW3C){
var t=qGO(qV17);
if(!t){return};
if(qV4[qV17]){
qV4[qV17]=false;
t.style.display="none"
}else{
qV4[qV17]=true;
t.style.display="";
t.style.zIndex=2000
};
}else if(qGB){
qF20();
window.location.href=qFN
}
}
function qF12(qV12,qV23,qV11){
if(qV5&&qF5(qV12,qV23)&&!qF2(qV12)&&qV3){
qF21(qV11);
qCO=qF22("demo")
}
}
function qF23(qV18){
var p=qV18.indexOf("d");
return (qV18!="out")&&(qV18.indexOf("d",p+1)==-1)
}
function qGF(qV24){
var p;
if(qV24.charAt(0)=="b"){qV24=qV24.substring(1)};
p=qV24.lastIndexOf("d");
if(p==-1){return ""};
qV24=qV24.substring(0,p);
if(qV24.indexOf("d")==-1){return ""};
return qV24
}
function qGO(qV16){
if(document.getElementById){return document.getElementById(qV16)}else{return document.all[qV16]}
}
function qOS(qV25){
var p;
if(qV25==""){return};
if(qGB){
if(!qV4[qV25]){qF19(qV25)}
}else{
p=qV25.indexOf("d");
p=qV25.indexOf("d",p+1);
while(p!=-1){
if(!qV4[qV25.substring(0,p)]){qF19(qV25.substring(0,p))};
p=qV25.indexOf("d",p+1)
};
if(!qV4[qV25]){qF19(qV25)}
}
}
function qCS(qV25){
if(qV4[qV25]){qF19(qV25)}
}
function qDW(str){
qGSTR=qGSTR+str
}
function qF24(qV26,bool){
if(bool){
if(qV4[qV26]){return ""}else{return ""}
}else{
if(qV4[qV26]){return ""}else{return ""}
}
}
function qF5(k,b){
return (k.indexOf(b)!=-1)
}
function qF25(qV13){
if((qV13.indexOf("'")!=-1)||(qV13.indexOf("<\/")!=-1)){return ""};
return qV13
}
function qUDC(qV17){
if(qV3){
if(qF8(qCO,qV17)){qF26(qV17)}else{qF21(qV17)};
qCO=qF22("demo")
}
}
function qF21(qV27){
var nc="",start=0,end,e;
end=qCO.indexOf("x",start);
while(end!=-1){
e=qCO.substring(start,end);
if(!qF8(qV27,e)){nc=nc+e+"x"};
start=end+1;
end=qCO.indexOf("x",start)
};
qF27("demo",nc+qV27+"x")
}
function qF26(qV27){
var nc="",start=0,end,e;
end=qCO.indexOf("x",start);
while(end!=-1){
e=qCO.substring(start,end);
if(!qF8(e+"x",qV27)){nc=nc+e+"x"};
start=end+1;
end=qCO.indexOf("x",start)
};
if(qGF(qV27)!=""){nc=nc+qGF(qV27)+"x"};
if(nc==""){nc="none"};
qF27("demo",nc)
}
function qF8(qV28,qV26){
return ((qV28.indexOf(qV26+"d")!=-1)||(qV28.indexOf(qV26+"x")!=-1))
}
function qF0(){
var start=0,end;
end=qCO.indexOf("x",start);
while(end!=-1){
qOS(qCO.substring(start,end));
start=end+1;
end=qCO.indexOf("x",start)
}
}
function qF22(qV29){
var s=document.cookie,start=0,end,e;
while(start<s.length){
end=s.indexOf(";",start);
if(end==-1){end=s.length};
e=s.indexOf("=",start);
if((e!=-1)&&(e<end)&&(s.substring(start,e)==qV29)){return s.substring(e+1,end)};
start=end+2
};
return "0"
}
function qF27(qV29,qV30){
document.cookie=qV29+"="+qV30+";path=/"
}
function qF20(){
var l=0,t=0;
if(qV0){
l=window.pageXOffset;
t=window.pageYOffset
}else if(qV1){
l=document.body.scrollLeft;
t=document.body.scrollTop
};
qF15(l,t)
}
function qF15(l,t){
qF27("demoLeft",l);
qF27("demoTop",t)
}
function qF1(){
var l=parseInt(qF22("demoLeft")),t=parseInt(qF22("demoTop")),x,m;
if(isNaN(l)){l=0};
if(isNaN(t)){t=0};
x=function(){
if(qV0){
window.scroll(l,t)
}else if(qV1){
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
function qF28(){
qF27("demo","t");
return (qF22("demo")=="t")
}
function qF6(qV12){
var p=qV12.indexOf("cn");
if(p==-1){return ""};
return qV12.substring(p+2,p+4)
}
function qOPENPAGE(ln){
qOS(qGF(qGI(ln)))
}
function qCLOSEPAGE(ln){
qCS(qGF(qGI(ln)))
}
function qOPEN(ln){
qOS(qGI(ln))
}
function qCLOSE(ln){
qCS(qGI(ln))
}
function qSWAP(ln,att,val,aic){
if(qW3C){
var t=qGO(aic+qGI(ln));
if(t){eval("t."+att+"=val")}
}
}
function qSWAPBOX(ln,att,val){
qSWAP(ln,att,val,"c")
}
function qSWAPIMAGE(ln,att,val){
qSWAP(ln,att,val,"i")
}
function qSWAPLINE(ln,att,val){
qSWAP(ln,att,val,"a")
}
function qGI(qV13){
var p;
for(p in qGN){if(qGN[p]==qV13){return p}};
return "No such link"
}
function qGP(qV13){
var qV31,qV32;
qV32=qV13;
qV31=qGF(qGI(qV13));
while(qV31!=""){
qV32=qGN[qV31]+"&nbsp;&rarr;&nbsp;"+qV32;
qV31=qGF(qV31)
};
return qV32
}
function qF2(qV12){
return (qW3C&&qF5(qV12,"dd"))
}
function qF29(qV11,qV12){
var qV33,qV34,qV35,qV36,qV37,qV38,qV39,qV23;
qV37=qF5(qV12,"to");
qV38=qF5(qV12,"le");
qV23=qV12.indexOf(".");
if(qV23==-1){
qV39=1
}else{
qV39=parseFloat(qV12.substring(qV23,qV23+3));
if(isNaN(qV39)){qV39=1}
};
qV35=qGO("c"+qV11);
qV36=qGO(qV11);
if(!qV35||!qV36){return};
qV34=qF30(qV35);
qV33=qF31(qV35);
if(qV37){
qV33=qV33-qV36.offsetHeight;
if(qV39==1){qV33=qV33+qV35.offsetHeight}
}else{
if(qV39!=1){qV33=qV33+qV35.offsetHeight}
};
if(!qV38){
qV34=qV34+qV35.offsetWidth*qV39
}else{
qV34=qV34-qV36.offsetWidth*qV39
};
qV36.style.left=qV34+"px";
qV36.style.top=qV33+"px"
}
function qF31(qV35){
var t=0,p;
while(qV35){
p=qV35.style?qV35.style.position:"";
if(window.getComputedStyle&&(qV35.nodeType==1)){p=window.getComputedStyle(qV35,null).position}else if(qV35.currentStyle){p=qV35.currentStyle.position};
if(p&&(p!="static")){break};
t=t+qV35.offsetTop;
qV35=qV35.offsetParent
};
return t
}
function qF30(qV35){
var t=0,p;
while(qV35){
p=qV35.style?qV35.style.position:"";
if(window.getComputedStyle&&(qV35.nodeType==1)){p=window.getComputedStyle(qV35,null).position}else if(qV35.currentStyle){p=qV35.currentStyle.position};
if(p&&(p!="static")){break};
t=t+qV35.offsetLeft;
qV35=qV35.offsetParent
};
return t
}
function qF4(qV11,qV12,evt){
if(window.event){window.event.cancelBubble=true}else if(evt){evt.cancelBubble=true};
if(!qF5(qV12,"nf")){
if(qV10){clearTimeout(qV10)};
if(qV9){clearTimeout(qV9)};
qV9=setTimeout(function(){qF32(qV11,qV12)},400)
}
}
function qF3(qV11,qV12,evt){
if(window.event){window.event.cancelBubble=true}else if(evt){evt.cancelBubble=true};
if(!qF5(qV12,"nf")){
if(qV9){clearTimeout(qV9)};
qV9=setTimeout(function(){qF33()},200)
}
}
function qF32(qV11,qV12){
if(qV11.charAt(0)=="b"){
qV11=qGF(qV11.substring(1));
while(qV11.indexOf(qV8)==-1){qF19(qV8);qV8=qGF(qV8)}
}else if(qV8==""){
qF19(qV11);
qF29(qV11,qV12);
qV8=qV11
}else if(qV11.indexOf(qV8+"d")!=-1){
qF19(qV11);
qF29(qV11,qV12);
qV8=qV11
}else if(qV8.indexOf(qV11+"d")!=-1){
while(qV8.indexOf(qV11+"d")!=-1){qF19(qV8);qV8=qGF(qV8)}
}else{
qF19(qV8);
qV8=qGF(qV8);
while(qV11.indexOf(qV8+"d")==-1){qF19(qV8);qV8=qGF(qV8)};
if(!qV4[qV11]){
qF19(qV11);
qF29(qV11,qV12);
qV8=qV11
}
}
}
function qF33(){
qV10=setTimeout(function(){qTIMEOUT()},200)
}
function qTIMEOUT(){
while(qV8!=""){qF19(qV8);qV8=qGF(qV8)}
}
function qCNV(url,k,name){
return url
}
if(qF22("demo")=="0"){qV5=true};
if(qV3){qCO=qF22("demo")};
if(qV3&&!qF28()){qV3=false};
if(qGB&&!qV3){alert("For the tree menu to work properly, you must turn on cookies")};
if(qV3){qF27("demo",qCO)};
qDW("<style>");
qDW(".MenuTreeBox {");
qDW("}");
qDW(".MainFolderBox {");
qDW("	background-color : white;");
qDW("	color : navy;");
qDW("}");
qDW(".MainFolderPage {");
qDW("}");
qDW(".MainFolderLine {");
qDW("	color : navy;");
qDW("	text-decoration : none;");
qDW("}");
qDW(".MainFolderLineMouseOver {");
qDW("	color : red;");
qDW("	text-decoration : none;");
qDW("}");
qDW(".SubFolderBox {");
qDW("	background-color : white;");
qDW("	color : navy;");
qDW("}");
qDW(".SubFolderPage {");
qDW("}");
qDW(".SubFolderLine {");
qDW("	color : navy;");
qDW("	text-decoration : none;");
qDW("}");
qDW(".SubFolderLineMouseOver {");
qDW("	color : red;");
qDW("	text-decoration : none;");
qDW("}");
qDW(".LinkBox {");
qDW("	background-color : white;");
qDW("	color : navy;");
qDW("}");
qDW(".LinkPage {");
qDW("}");
qDW(".LinkLine {");
qDW("	color : blue;");
qDW("}");
qDW(".LinkLineMouseOver {");
qDW("	color : red;");
qDW("}");
qDW("a.LinkLine {");
qDW("	color : blue;");
qDW("}");
qDW("a.LinkLine:visited {");
qDW("	color : blue;");
qDW("}");
qDW("a.LinkLineMouseOver:hover {");
qDW("	color : red;");
qDW("}");
qDW("a.MainFolderLineMouseOver {");
qDW("	color : red;");
qDW("	text-decoration : none;");
qDW("}");
qDW("a.MainFolderLine:visited {");
qDW("	color : blue;");
qDW("}");
qDW("a.MainFolderLineMouseOver:hover {");
qDW("	color : red;");
qDW("}");
qDW("</style>");

qDW("<table border='0' cellspacing='0' cellpadding='0'>");
qDW("<tr>");
qDW("<td class='MenuTreeBox' valign='top'>");
qMF("e1d1","iwnf","Home","/index.html","");
qDE();
qMF("e1d2","","Products","","");
qLK("e1d2d1","iw","Widgets","/products/widgets.html","");
qSF("e1d2d2","","Gadgets","","");
qLK("e1d2d2d1","iw","Small gadgets","/products/gadgets/small.html","");
qLK("e1d2d2d2","iw","Large gadgets","/products/gadgets/large.html","");
qDE();
qLK("e1d2d3","ew","Price list","/products/prices.html","");
qDE();
qMF("e1d3","","About","","");
qLK("e1d3d1","iw","Company","/about/company.html","");
qLK("e1d3d2","j","Say hello","alert('Hello from Quenwick')","");
qDE();
qCOL();
qMF("e2d1","","Documentation","","");
qSF("e2d1d1","","guides","","");
qLK("e2d1d1d1","","installing","/docs/guides/installing.html","");
qLK("e2d1d1d2","","upgrading","/docs/guides/upgrading.html","");
qDE();
qLK("e2d1d2","","faq","/docs/faq.html","");
qLK("e2d1d3","","getting started","/docs/getting_started.html","");
qDE();
qMF("e2d2","iwnf","Contact","/contact.html","");
qDE();
qDW("</td>");
qDW("</tr>");
qDW("</table>");
(function(s){document.write(s)})(qGSTR);qGSTR="";
if(qW3C){qF0();};
if(window.pageXOffset==0){qV0=true;}else if(qIE){qV1=true;};
if(qGB){qF1();};

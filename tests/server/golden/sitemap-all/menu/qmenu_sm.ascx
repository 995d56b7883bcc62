<%@ Control Language="VB" AutoEventWireup="false" CodeFile="qmenu_sm.ascx.vb" Inherits="qmenu_sm" %>
<table border='0' cellspacing='0' cellpadding='0'>
  <tr>
    <td class='MenuTreeBox' valign='top'>
<p class='MainFolderBox'><span class='MainFolderLine'>Products</span></p>
<p class='LinkBox'>&nbsp;&nbsp;&nbsp;<a href="/hi.html"><span class='LinkLine'>Tom's page</span></a></p>
<p class='LinkBox'><a href="/index.html"><span class='LinkLine'>Home</span></a></p>
<%response.write(DnnDirectory("36","r||str||","e1d2",0,"","",True,"siteMap"))%>
<%response.write(CSKDirectory("S1","optCSKCategories","e1d102",0,True,"siteMap"))%>
<%response.write(harddiskDirectorySiteMap("/docs/","e||asp||str||sub||dash||",".htm||","","e1d102",0,"",""))%>
<p class='LinkBox'><a href="/contact.html"><span class='LinkLine'>Contact</span></a></p>
    </TD>
  </TR>
</TABLE>
